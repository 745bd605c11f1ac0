// Rearranging the wall from the grid: moving a column or row of settings, and the
// device ID numbering actions. Only the model changes; sending, the router, the
// repaint and the caption are the caller's.
#pragma once

#include "wall/wall_model.h"

#include <cstdint>

namespace mlc {

// Moves the Settings of wall column `from` to column `to` in every used row,
// shifting the columns in between by one. DeviceId, Synced, Row and Column stay
// with their places, so the units keep their positions and receive the moved
// settings. False (nothing changes) when from == to or either is outside the used
// columns.
bool MoveWallColumn(WallModel& model, int from, int to);
// The same with rows, over every used column.
bool MoveWallRow(WallModel& model, int from, int to);

// Device IDs 1, 2, 3 ... row by row over the used part, at most 255 (never the
// broadcast ID 0); every used monitor becomes not synced. DeviceState keeps its IDs.
void NumberDevicesSequentially(WallModel& model);
// DeviceId = row * 10 + column (in 8 bits) over the used part; not synced.
// Beyond nine columns IDs repeat (row 1, column 11 and row 2, column 1 both get 21).
void NumberDevicesByRowAndColumn(WallModel& model);

// Gives the monitor at a place a new device ID in Monitors and DeviceState and
// marks it not synced; the same ID changes nothing. True when the ID changed.
bool ChangeMonitorId(WallModel& model, int column, int row, std::uint8_t id);

} // namespace mlc
