#include "wall/enlargement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mlc {

namespace {

constexpr double kMinMagnification = 0.75;
constexpr double kMaxMagnification = 16.0;
constexpr double kFull = 100000.0;

// A monitor between two others loses four borders' worth of its share; borders of a
// quarter of the monitor or more (swapped boxes, a mistyped digit) would leave it
// no picture or a negative one, so such measurements get no correction.
double bezelRatio(double margin, double monitor) {
    return margin > 0 && monitor > 0 && 4 * margin < monitor ? margin / monitor : 0.0;
}

// Truncation toward zero that stays defined for values outside the 32-bit range.
std::int32_t truncateClamped(double value) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value))
        return 0;
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), lo, hi));
}

} // namespace

bool AutosetEnlargement(WallModel& model, const WallRect& rect) {
    if (!WallGrid::contains(rect.Left, rect.Top) || !WallGrid::contains(rect.Right, rect.Bottom) ||
        rect.Left > rect.Right || rect.Top > rect.Bottom)
        return false;
    const double ratioX = bezelRatio(model.XMarginSize, model.XMonitorSize);
    const double ratioY = bezelRatio(model.YMarginSize, model.YMonitorSize);
    const double stepX = 100.0 / (rect.Right - rect.Left + 1);
    const double stepY = 100.0 / (rect.Bottom - rect.Top + 1);
    const double corrX = stepX * ratioX * 2;
    const double corrY = stepY * ratioY * 2;

    for (int r = rect.Top; r <= rect.Bottom; ++r) {
        for (int c = rect.Left; c <= rect.Right; ++c) {
            TMonitorSettings& s = model.Monitors.at(c, r).Settings;
            if (model.AutoEnlargeReset)
                s = model.DefaultSettings;
            s.XPosition = (c - rect.Left) * stepX;
            s.YPosition = (r - rect.Top) * stepY;
            s.XZoom = stepX;
            s.YZoom = stepY;
            if (!model.EnableMarginCorrection)
                continue;
            // Each inner edge hides corr percent behind the bezels; outer edges none.
            if (c > rect.Left)
                s.XZoom -= corrX;
            if (r > rect.Top)
                s.YZoom -= corrY;
            if (c < rect.Right)
                s.XZoom -= corrX;
            if (r < rect.Bottom)
                s.YZoom -= corrY;
            if (c > rect.Left)
                s.XPosition += corrX;
            if (r > rect.Top)
                s.YPosition += corrY;
        }
    }
    model.VideowallModified = true;
    return true;
}

std::optional<std::int32_t> ZoomToDevice(double zoom) {
    if (zoom == 0.0 || std::isnan(zoom))
        return std::nullopt;
    return truncateClamped(((100.0 / zoom) - kMinMagnification) / (kMaxMagnification - kMinMagnification) *
                           kFull);
}

double DeviceToZoom(std::int32_t value) {
    const double v = std::clamp(value, 0, 100000);
    return 100.0 / ((kMaxMagnification - kMinMagnification) * (v / kFull) + kMinMagnification);
}

std::int32_t PanToDevice(double zoom, double position) {
    if (position < 0)
        return 0;
    if (zoom >= 100)
        return 0;
    return std::min(truncateClamped(position / (100.0 - zoom) * kFull), 100000);
}

double DeviceToPan(double zoom, std::int32_t value) {
    const double v = std::clamp(value, 0, 100000);
    return (100.0 - zoom) * (v / kFull);
}

} // namespace mlc
