#include "dialogs/monitor_controls.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace mlc;

namespace {

MatchListPair pair(std::initializer_list<const char*> ids) {
    MatchListPair p;
    for (const char* id : ids) {
        p.Ids.emplace_back(id);
        p.Names.emplace_back(std::string("Name of ") + id);
    }
    return p;
}

MatchLists someLists() {
    MatchLists l;
    l.InputSources =
        pair({"isVIDEO1", "isVIDEO2", "isANALOGRGB1", "isDVI1", "isDVI2", "isSVIDEO1", "isSDI1"});
    l.ColorTemp = pair({"ctUSER", "ct5000K", "ct6500K"});
    l.ScaleMode = pair({"smFILL"});
    l.InputFilter = pair({"ifNONE", "ifLOW"});
    l.KeystoningMode = pair({"kmNONE", "kmH", "kmV"});
    l.FrameLock = pair({"a", "b", "c", "d", "e"});
    l.Interpolation = pair({"inNONE", "inLINEAR"});
    l.ScreenColors = pair({"scBLACK", "scBLUE"});
    l.HD15Sync = pair({"x", "y"});
    l.TestPattern = pair({"tpTPRemove", "tpBARS"});
    return l;
}

ControlState stateOf(const char* name, const MonitorControlStates& states) {
    return StateOf(FindMonitorControl(name)->rule, states);
}

} // namespace

TEST(MonitorControls, EveryFieldOfTheRecordHasExactlyOneControl) {
    std::set<std::string> names;
    TMonitorSettings probe;
    std::set<const void*> fields;
    for (const MonitorControl& c : kMonitorControls) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        const void* field = c.kind == ControlKind::Check ? static_cast<const void*>(&c.flag(probe))
                                                         : static_cast<const void*>(&c.number(probe));
        EXPECT_TRUE(fields.insert(field).second) << c.name;
        EXPECT_EQ(c.kind == ControlKind::List, c.list != nullptr) << c.name;
    }
    // With the enlargement (4) and the router input, that is every field but none twice.
    EXPECT_EQ(fields.size() + 5, 40u);
}

TEST(MonitorControls, OpeningThenStoringUnchangedKeepsTheRecord) {
    const MatchLists lists = someLists();
    TMonitorSettings s;
    s.SourceInput = 6;
    s.Brightness = 50196; // a value read back from a unit, not a whole percent
    s.Hue = 1;
    s.Termination = {false, true, false, true};
    s.Freeze = true;
    s.KeystoneMode = 2;
    s.HD15Sync = 1;
    s.BindKey = {6, 5, 4, 3};
    s.VideoMatrixSource = 7;
    s.XZoom = 44.2553;
    EXPECT_EQ(CollectMonitorSettings(s, EnlargementOf(s), LoadControls(s, lists), -1), s);
    EXPECT_EQ(CollectMonitorSettings(s, EnlargementOf(s), LoadControls(s, lists), 3).VideoMatrixSource, 3);
}

TEST(MonitorControls, PositionsTheListsLackOpenAsTheFirstItemAndEmptyListsKeepTheField) {
    MatchLists lists = someLists();
    lists.TestPattern = {};
    TMonitorSettings s;
    s.KeystoneMode = 9;
    s.TestPattern = 1;
    const ControlValues values = LoadControls(s, lists);
    const auto index = [](const char* name) { return FindMonitorControl(name) - kMonitorControls.data(); };
    EXPECT_EQ(values[index("KeystoneMode")], 0);
    EXPECT_EQ(values[index("TestPattern")], -1);
    const TMonitorSettings stored = CollectMonitorSettings(s, EnlargementOf(s), values, -1);
    EXPECT_EQ(stored.KeystoneMode, 0);
    EXPECT_EQ(stored.TestPattern, 1);
}

TEST(MonitorControls, RgbInputAndUserColourTemperatureChangeTheControlStates) {
    const MatchLists lists = someLists();
    const MonitorControlStates video = UpdateControlStates(lists, 0, 2);
    EXPECT_FALSE(video.rgb);
    EXPECT_FALSE(video.manual);
    EXPECT_TRUE(stateOf("Sharpness", video).visible);
    EXPECT_FALSE(stateOf("Filter", video).visible);
    EXPECT_FALSE(stateOf("Phase", video).enabled);
    EXPECT_TRUE(stateOf("Saturation", video).enabled);
    EXPECT_FALSE(stateOf("RedTemp", video).enabled);

    const MonitorControlStates rgb = UpdateControlStates(lists, 2, 0); // ctUSER, listed first
    EXPECT_TRUE(rgb.rgb);
    EXPECT_TRUE(rgb.manual);
    EXPECT_FALSE(stateOf("Sharpness", rgb).visible);
    EXPECT_TRUE(stateOf("Filter", rgb).visible);
    for (const char* name :
         {"Phase", "Frequency", "HInputPos", "VInputPos", "RedTemp", "GreenTemp", "BlueTemp"})
        EXPECT_TRUE(stateOf(name, rgb).enabled) << name;
    EXPECT_FALSE(stateOf("Hue", rgb).enabled);

    for (const char* name : {"HD15Sync", "ScalerMode", "HStretch", "VStretch", "Video11Term", "Video22Term"})
        EXPECT_FALSE(stateOf(name, rgb).visible) << name;
    EXPECT_FALSE(UpdateControlStates(MatchLists{}, 0, -1).manual); // no temperatures at all

    // A list without the user temperature keeps its user setting last.
    MatchLists unnamed = lists;
    unnamed.ColorTemp = pair({"ct5000K", "ct6500K", "ctMANUAL"});
    EXPECT_FALSE(UpdateControlStates(unnamed, 0, 0).manual);
    EXPECT_TRUE(UpdateControlStates(unnamed, 0, 2).manual);
}
