// Applying the settings dialogs' values: store them into the wall and send them to
// the units under the progress window, as one device exchange.
#pragma once

#include "operator.h"
#include "router/video_router.h"
#include "sync/device_sync.h"
#include "wall/enlargement.h"
#include "wall/wall_history.h"
#include "wall/wall_model.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mlc {

// What applying needs besides the wall: the device exchange, the router and the operator.
struct DeviceAccess {
    DeviceSync& sync;
    VideoRouter& router;
    Operator& op;
};

enum class ApplyOutcome {
    Sent,          // stored and sent; the wall is modified
    WriteFailed,   // stored; a unit did not take it (reported); the wall is modified
    RouterRefused, // stored; the router refused its commit, the apply stopped there;
                   // the wall is modified
    Busy,          // another device operation runs: nothing stored, nothing sent
};

// The monitor dialog's OK and Apply: stores `settings` into Monitors[column, row]
// and writes it with the queue executed, under "Updating monitor...", then commits
// the router when one is active. The wall becomes modified, also when a unit or
// the router refused. While another exchange runs nothing is stored: a report, Busy.
// Each apply that changed the monitor is one step of the wall's history.
ApplyOutcome ApplySettings(WallModel& wall, WallHistory& history, DeviceAccess devices, bool routerActive,
                           int column, int row, const TMonitorSettings& settings);

// The values of the quick menu.
struct QuickSettings {
    int SourceInput = -1;       // -1: left as each monitor has it
    int VideoMatrixSource = -1; // -1: left as each monitor has it (also: router off)
    double XZoom = 100.0;
    double YZoom = 100.0;
    std::int32_t Brightness = 50000;
    std::int32_t Contrast = 50000;
    std::int32_t Saturation = 50000;
    std::int32_t Hue = 50000;
    std::int32_t Gamma = 50000;
};

// The quick values over one monitor's record: zoom, input, router input and the
// five image values; the pan position and every other field stay.
void ApplyQuickValues(const QuickSettings& values, TMonitorSettings& settings);

// The quick menu's OK and Apply: the values go into every monitor of the selection
// (cut to the 16 x 16 wall), which is then written row by row, each with its queue
// executed, under "Updating videowall...", all in one device exchange. A monitor
// that fails does not stop the others; a refused router commit stops at that
// monitor (the later ones keep their stored values unsent; the wall is modified).
// One step of the wall's history.
ApplyOutcome ApplyQuickSettings(WallModel& wall, WallHistory& history, DeviceAccess devices,
                                bool routerActive, const WallRect& selection, const QuickSettings& values);

// The router's input names for the video source lists: inputs 0 .. count - 1, at
// most 256 (the record holds the input in one byte).
std::vector<std::string> RouterInputNames(VideoRouter& router);

} // namespace mlc
