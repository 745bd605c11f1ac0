// Monitor measurements: the table of known monitor types, the texts the setup
// dialogs show for them and the bezel share they give.
//
// Measurements are four numbers: one monitor's left border (border width), its top
// border (border height), and the whole monitor's width and height, borders
// included. Only their ratios matter, so any unit serves as long as all four use it.
#pragma once

#include "wall/wall_model.h"

#include <array>
#include <string>
#include <string_view>

namespace mlc {

struct TMonitorType {
    const char* Name;
    double BorderWidth;
    double MonitorWidth;
    double BorderHeight;
    double MonitorHeight;
};

// The last entry is the custom one: the operator types the values.
extern const std::array<TMonitorType, 4> MonitorTypes;
inline constexpr int kCustomMonitorType = 3;

// The measuring help both setup dialogs show behind their hint button.
extern const char* const kMeasuringHint;

// The four measurement boxes of the setup dialogs, in this order.
enum class MeasureBox { HBorder, VBorder, HMonitor, VMonitor };
inline constexpr std::size_t kMeasureBoxCount = 4;
using MeasureTexts = std::array<std::string, kMeasureBoxCount>;

struct Measurements {
    double borderWidth = 0;
    double borderHeight = 0;
    double monitorWidth = 0;
    double monitorHeight = 0;
    bool allAboveZero() const {
        return borderWidth > 0 && borderHeight > 0 && monitorWidth > 0 && monitorHeight > 0;
    }
};

// A measurement as a box shows it: two decimals with a point ("27.00").
std::string formatMeasurement(double value);
// A box's text as a number: decimal with a point or a comma, surrounding blanks
// allowed; anything else, and values too large to hold, count as 0.
double readMeasurement(std::string_view text);

Measurements measurementsOf(const WallModel& wall);
Measurements readMeasurements(const MeasureTexts& boxes);
MeasureTexts measurementTexts(const Measurements& m);
// The boxes a monitor type fills (the custom type fills zeros).
MeasureTexts monitorTypeTexts(int type);

// The border's share of the monitor in percent: 0 unless both are above 0 and the
// monitor is larger than the border.
double borderPercentage(double border, double monitor);
// As the setup dialogs show it, from the boxes' texts: "5.74%".
std::string borderPercentageText(std::string_view border, std::string_view monitor);

} // namespace mlc
