// The control program's picture of the wall: monitors, what the units are known
// to hold, the defaults for new monitors, the wall size and bezel measurements.
#pragma once

#include "wall/monitor_settings.h"
#include "wall/wall_grid.h"

namespace mlc {

struct WallModel {
    WallGrid Monitors;    // what the operator edits
    WallGrid DeviceState; // what the units are known to hold
    TMonitorSettings DefaultSettings;

    int WallColumns = 8; // used part: columns 1..WallColumns
    int WallRows = 8;

    double XMarginSize = 27.0;   // one monitor's left border
    double YMarginSize = 27.0;   // one monitor's top border
    double XMonitorSize = 470.0; // full monitor width, borders included
    double YMonitorSize = 370.0;
    bool EnableMarginCorrection = true;
    bool AutoEnlargeReset = false;
    bool VideowallModified = false;
};

} // namespace mlc
