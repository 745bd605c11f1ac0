#include "wall/wall_arrangement.h"

#include "wall/wall_state.h"

#include <algorithm>
#include <utility>

namespace mlc {

namespace {

// Moves the settings of places[from] to places[to] along one line of the wall;
// `settingsAt(i)` names the settings of the i-th place of that line.
template <typename SettingsAt> void moveAlong(int from, int to, SettingsAt settingsAt) {
    TMonitorSettings moved = settingsAt(from);
    const int step = from < to ? 1 : -1;
    for (int i = from; i != to; i += step)
        settingsAt(i) = settingsAt(i + step);
    settingsAt(to) = std::move(moved);
}

bool validMove(int from, int to, int used) {
    return from != to && from >= 1 && to >= 1 && from <= used && to <= used;
}

} // namespace

bool MoveWallColumn(WallModel& model, int from, int to) {
    if (!validMove(from, to, UsedColumns(model)))
        return false;
    for (int row = 1; row <= UsedRows(model); ++row)
        moveAlong(from, to,
                  [&](int column) -> TMonitorSettings& { return model.Monitors.at(column, row).Settings; });
    return true;
}

bool MoveWallRow(WallModel& model, int from, int to) {
    if (!validMove(from, to, UsedRows(model)))
        return false;
    for (int column = 1; column <= UsedColumns(model); ++column)
        moveAlong(from, to,
                  [&](int row) -> TMonitorSettings& { return model.Monitors.at(column, row).Settings; });
    return true;
}

void NumberDevicesSequentially(WallModel& model) {
    // Units answer to 1..255; ID 0 reaches every unit at once. The 256th place of a
    // full 16 x 16 wall shares 255 instead of making one monitor's write a broadcast.
    constexpr int kHighestId = 255;
    int next = 0;
    for (int row = 1; row <= UsedRows(model); ++row) {
        for (int column = 1; column <= UsedColumns(model); ++column) {
            TWallMonitor& monitor = model.Monitors.at(column, row);
            next = std::min(next + 1, kHighestId);
            monitor.DeviceId = static_cast<std::uint8_t>(next);
            monitor.Synced = false;
        }
    }
}

void NumberDevicesByRowAndColumn(WallModel& model) {
    for (int row = 1; row <= UsedRows(model); ++row) {
        for (int column = 1; column <= UsedColumns(model); ++column) {
            TWallMonitor& monitor = model.Monitors.at(column, row);
            monitor.DeviceId = static_cast<std::uint8_t>(row * 10 + column);
            monitor.Synced = false;
        }
    }
}

bool ChangeMonitorId(WallModel& model, int column, int row, std::uint8_t id) {
    if (column < 1 || column > kMaxColumns || row < 1 || row > kMaxRows)
        return false;
    TWallMonitor& monitor = model.Monitors.at(column, row);
    if (monitor.DeviceId == id)
        return false;
    monitor.DeviceId = id;
    monitor.Synced = false;
    model.DeviceState.at(column, row).DeviceId = id;
    return true;
}

} // namespace mlc
