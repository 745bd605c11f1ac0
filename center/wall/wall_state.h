// Whole-wall helpers of the model: initialisation, factory defaults, synced state.
#pragma once

#include "wall/match_lists.h"
#include "wall/wall_model.h"

#include <algorithm>

namespace mlc {

// The used part's size, kept within the array whatever the settings hold.
inline int UsedColumns(const WallModel& model) {
    return std::clamp(model.WallColumns, 0, kMaxColumns);
}
inline int UsedRows(const WallModel& model) {
    return std::clamp(model.WallRows, 0, kMaxRows);
}

// The settings for new monitors when no defaults file exists: the record's
// defaults, with BlankColor and TestPattern at the positions of "scBLACK" and
// "tpTPRemove" in their lists (-1 when absent).
TMonitorSettings FactoryDefaultSettings(const MatchLists& lists);

// Every place of Monitors: Row, Column, DeviceId = Row * 10 + Column, not synced,
// DefaultSettings.
void InitialiseWall(WallModel& model);

// Whether a source index is one of the four analog RGB inputs of the input list.
bool IsAnalogRgbSource(const MatchLists& lists, int index);

// Every monitor of the used part is synced (true for an empty part).
bool IsWallSynced(const WallModel& model);
// Sets Synced of every monitor of the used part; the caption is the caller's.
void SetAllSynced(WallModel& model, bool flag);

} // namespace mlc
