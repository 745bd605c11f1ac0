#include "wall/wall_state.h"

namespace mlc {

TMonitorSettings FactoryDefaultSettings(const MatchLists& lists) {
    TMonitorSettings settings;
    settings.BlankColor = lists.ScreenColors.indexOf("scBLACK");
    settings.TestPattern = lists.TestPattern.indexOf("tpTPRemove");
    return settings;
}

void InitialiseWall(WallModel& model) {
    for (int r = 1; r <= kMaxRows; ++r) {
        for (int c = 1; c <= kMaxColumns; ++c) {
            TWallMonitor& m = model.Monitors.at(c, r);
            m.Row = static_cast<std::uint8_t>(r);
            m.Column = static_cast<std::uint8_t>(c);
            m.DeviceId = static_cast<std::uint8_t>(r * 10 + c);
            m.Synced = false;
            m.Settings = model.DefaultSettings;
        }
    }
}

bool IsAnalogRgbSource(const MatchLists& lists, int index) {
    for (const char* id : {"isANALOGRGB1", "isANALOGRGB2", "isANALOGRGB3", "isANALOGRGB4"}) {
        const int position = lists.InputSources.indexOf(id);
        if (position >= 0 && position == index)
            return true;
    }
    return false;
}

bool IsWallSynced(const WallModel& model) {
    for (int r = 1; r <= UsedRows(model); ++r)
        for (int c = 1; c <= UsedColumns(model); ++c)
            if (!model.Monitors.at(c, r).Synced)
                return false;
    return true;
}

void SetAllSynced(WallModel& model, bool flag) {
    for (int r = 1; r <= UsedRows(model); ++r)
        for (int c = 1; c <= UsedColumns(model); ++c)
            model.Monitors.at(c, r).Synced = flag;
}

} // namespace mlc
