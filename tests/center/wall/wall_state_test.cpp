#include "wall/wall_state.h"

#include <gtest/gtest.h>

using namespace mlc;

TEST(FactoryDefaults, TakeBlankColorAndTestPatternPositionsFromTheLists) {
    MatchLists lists;
    EXPECT_EQ(FactoryDefaultSettings(lists).BlankColor, -1);
    EXPECT_EQ(FactoryDefaultSettings(lists).TestPattern, -1);
    lists.ScreenColors.Ids = {"scBLUE", "scBLACK"};
    lists.TestPattern.Ids = {"tpA", "tpB", "tpTPRemove"};
    const TMonitorSettings defaults = FactoryDefaultSettings(lists);
    EXPECT_EQ(defaults.BlankColor, 1);
    EXPECT_EQ(defaults.TestPattern, 2);
    EXPECT_EQ(defaults.Interpolation, 1);
    EXPECT_EQ(defaults.BindKey, (std::array<std::int32_t, 4>{0, 1, 5, 6}));
}

TEST(InitialiseWall, NumbersEveryPlaceAndGivesItTheDefaults) {
    WallModel model;
    model.DefaultSettings.Brightness = 777;
    model.Monitors.at(4, 2).Synced = true;
    InitialiseWall(model);
    EXPECT_EQ(model.Monitors.at(1, 1).DeviceId, 11);
    EXPECT_EQ(model.Monitors.at(4, 2).DeviceId, 24);
    EXPECT_EQ(model.Monitors.at(4, 2).Row, 2);
    EXPECT_EQ(model.Monitors.at(4, 2).Column, 4);
    EXPECT_FALSE(model.Monitors.at(4, 2).Synced);
    EXPECT_EQ(model.Monitors.at(16, 16).DeviceId, 176);
    EXPECT_EQ(model.Monitors.at(16, 16).Settings.Brightness, 777);
}

TEST(AnalogRgbSource, MatchesOnlyPositionsOfTheFourRgbInputs) {
    MatchLists lists;
    lists.InputSources.Ids = {"isVIDEO1", "isVIDEO2"};
    for (int i = -1; i < 4; ++i)
        EXPECT_FALSE(IsAnalogRgbSource(lists, i));
    lists.InputSources.Ids = {"isVIDEO1", "isANALOGRGB1", "isSVIDEO", "isANALOGRGB4"};
    EXPECT_FALSE(IsAnalogRgbSource(lists, 0));
    EXPECT_TRUE(IsAnalogRgbSource(lists, 1));
    EXPECT_FALSE(IsAnalogRgbSource(lists, 2));
    EXPECT_TRUE(IsAnalogRgbSource(lists, 3));
    EXPECT_FALSE(IsAnalogRgbSource(lists, -1));
}

TEST(WallSynced, LooksAtTheUsedPartOnly) {
    WallModel model;
    model.WallColumns = 2;
    model.WallRows = 1;
    EXPECT_FALSE(IsWallSynced(model));
    SetAllSynced(model, true);
    EXPECT_TRUE(IsWallSynced(model));
    EXPECT_FALSE(model.Monitors.at(1, 2).Synced);
    model.Monitors.at(2, 1).Synced = false;
    EXPECT_FALSE(IsWallSynced(model));
    model.WallColumns = 0;
    EXPECT_TRUE(IsWallSynced(model));
    // A size beyond the array never reads past it.
    model.WallColumns = 40;
    model.WallRows = 40;
    SetAllSynced(model, true);
    EXPECT_TRUE(model.Monitors.at(16, 16).Synced);
}
