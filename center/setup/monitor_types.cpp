#include "setup/monitor_types.h"

#include "files/settings_file.h"

#include <cmath>
#include <cstdio>

namespace mlc {

const std::array<TMonitorType, 4> MonitorTypes{{
    {"21\" CRT monitors", 27, 470, 27, 370},
    {"28\" CRT monitors", 27, 590, 27, 470},
    {"40\" back-projectcion cubes", 1.8, 845, 1.8, 630},
    {"Custom (specify below)", 0, 0, 0, 0},
}};

const char* const kMeasuringHint =
    "Default monitor types have been measured from real displays; their values are in millimetres.\r\n"
    "\r\n"
    "Custom values may use any unit (millimetres, inches, ...) as long as all four boxes use the same "
    "one: only their ratios are used.\r\n"
    "\r\n"
    "Border width/height: the left/top border of one monitor alone, from the outer edge of its case to "
    "the first visible pixel.\r\n"
    "Monitor width/height: the whole monitor, viewing area and both borders included.";

std::string formatMeasurement(double value) {
    if (!std::isfinite(value))
        value = 0;
    char text[400]; // the largest double takes 309 digits before the point
    std::snprintf(text, sizeof text, "%.2f", value);
    // "-0.00" reads oddly for a rounded tiny negative value.
    return std::string(text) == "-0.00" ? "0.00" : text;
}

double readMeasurement(std::string_view text) {
    return parseSettingsFloat(text).value_or(0.0);
}

Measurements measurementsOf(const WallModel& wall) {
    return {wall.XMarginSize, wall.YMarginSize, wall.XMonitorSize, wall.YMonitorSize};
}

Measurements readMeasurements(const MeasureTexts& boxes) {
    const auto at = [&](MeasureBox box) { return readMeasurement(boxes[static_cast<std::size_t>(box)]); };
    return {at(MeasureBox::HBorder), at(MeasureBox::VBorder), at(MeasureBox::HMonitor),
            at(MeasureBox::VMonitor)};
}

MeasureTexts measurementTexts(const Measurements& m) {
    return {formatMeasurement(m.borderWidth), formatMeasurement(m.borderHeight),
            formatMeasurement(m.monitorWidth), formatMeasurement(m.monitorHeight)};
}

MeasureTexts monitorTypeTexts(int type) {
    if (type < 0 || type >= static_cast<int>(MonitorTypes.size()))
        type = kCustomMonitorType;
    const TMonitorType& t = MonitorTypes[static_cast<std::size_t>(type)];
    return measurementTexts({t.BorderWidth, t.BorderHeight, t.MonitorWidth, t.MonitorHeight});
}

double borderPercentage(double border, double monitor) {
    if (border > 0 && monitor > 0 && monitor > border)
        return border / monitor * 100.0;
    return 0;
}

std::string borderPercentageText(std::string_view border, std::string_view monitor) {
    return formatMeasurement(borderPercentage(readMeasurement(border), readMeasurement(monitor))) + "%";
}

} // namespace mlc
