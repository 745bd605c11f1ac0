#include "dialogs/monitor_apply.h"

#include "sync/progress.h"

#include <algorithm>

namespace mlc {

namespace {

WallRect cutToWall(const WallRect& r) {
    return {std::max(r.Left, 1), std::max(r.Top, 1), std::min(r.Right, kMaxColumns),
            std::min(r.Bottom, kMaxRows)};
}

// Refuses to start while another exchange runs (a wall write letting window
// messages through), before anything is stored.
bool refusedAsBusy(DeviceAccess& devices) {
    if (!devices.sync.Busy())
        return false;
    ExchangeGate::reportRefusal(devices.op);
    return true;
}

} // namespace

ApplyOutcome ApplySettings(WallModel& wall, WallHistory& history, DeviceAccess devices, bool routerActive,
                           int column, int row, const TMonitorSettings& settings) {
    if (refusedAsBusy(devices))
        return ApplyOutcome::Busy;
    if (column < 1 || column > kMaxColumns || row < 1 || row > kMaxRows)
        return ApplyOutcome::WriteFailed;
    WallHistory::EditStep step(history, "monitor settings", WallHistory::Sending::Sent);
    wall.Monitors.at(column, row).Settings = settings;

    bool refused = false;
    const bool ok = devices.sync.RunExchange([&](DeviceSync::Exchange& exchange) {
        ProgressWindow progress(devices.op);
        progress.setText("Updating monitor...");
        if (!exchange.WriteMonitor(column, row, true))
            return false;
        refused = routerActive && !devices.router.CommitChanges();
        return !refused;
    });
    // The record changed whatever the units and the router made of it: marked, so
    // that opening another wall asks before the edit is lost.
    wall.VideowallModified = true;
    if (refused)
        return ApplyOutcome::RouterRefused;
    return ok ? ApplyOutcome::Sent : ApplyOutcome::WriteFailed;
}

void ApplyQuickValues(const QuickSettings& values, TMonitorSettings& s) {
    s.XZoom = values.XZoom;
    s.YZoom = values.YZoom;
    if (values.VideoMatrixSource >= 0 && values.VideoMatrixSource <= 255)
        s.VideoMatrixSource = static_cast<std::uint8_t>(values.VideoMatrixSource);
    if (values.SourceInput >= 0)
        s.SourceInput = values.SourceInput;
    s.Brightness = values.Brightness;
    s.Contrast = values.Contrast;
    s.Saturation = values.Saturation;
    s.Hue = values.Hue;
    s.Gamma = values.Gamma;
}

ApplyOutcome ApplyQuickSettings(WallModel& wall, WallHistory& history, DeviceAccess devices,
                                bool routerActive, const WallRect& selection, const QuickSettings& values) {
    if (refusedAsBusy(devices))
        return ApplyOutcome::Busy;
    WallHistory::EditStep step(history, "quick menu", WallHistory::Sending::Sent);
    const WallRect rect = cutToWall(selection);
    for (int r = rect.Top; r <= rect.Bottom; ++r)
        for (int c = rect.Left; c <= rect.Right; ++c)
            ApplyQuickValues(values, wall.Monitors.at(c, r).Settings);

    bool refused = false;
    bool allSent = true;
    const int count = std::max(rect.Right - rect.Left + 1, 0) * std::max(rect.Bottom - rect.Top + 1, 0);
    const bool ran = devices.sync.RunExchange([&](DeviceSync::Exchange& exchange) {
        ProgressWindow progress(devices.op);
        progress.setText("Updating videowall...");
        if (count > 1)
            progress.setRange(1, count);
        int position = 0;
        for (int r = rect.Top; r <= rect.Bottom; ++r) {
            for (int c = rect.Left; c <= rect.Right; ++c) {
                if (count > 1)
                    progress.setPosition(++position);
                if (!exchange.WriteMonitor(c, r, true)) {
                    allSent = false; // reported; the others are still written
                    continue;
                }
                if (routerActive && !devices.router.CommitChanges()) {
                    refused = true;
                    return false;
                }
            }
        }
        return true;
    });
    wall.VideowallModified = true; // every monitor of the block holds the new values
    if (refused)
        return ApplyOutcome::RouterRefused;
    return ran && allSent ? ApplyOutcome::Sent : ApplyOutcome::WriteFailed;
}

std::vector<std::string> RouterInputNames(VideoRouter& router) {
    const int count = std::clamp(router.GetInputCount(), 0, 256);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        names.push_back(router.GetInputName(i));
    return names;
}

} // namespace mlc
