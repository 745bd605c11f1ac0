#include "wall/wall_arrangement.h"
#include "wall/wall_state.h"

#include <gtest/gtest.h>

namespace {

mlc::WallModel wallOf(int columns, int rows) {
    mlc::WallModel wall;
    mlc::InitialiseWall(wall);
    wall.WallColumns = columns;
    wall.WallRows = rows;
    for (int c = 1; c <= mlc::kMaxColumns; ++c)
        for (int r = 1; r <= mlc::kMaxRows; ++r) {
            wall.Monitors.at(c, r).Settings.Brightness = c * 100 + r;
            wall.Monitors.at(c, r).Synced = true;
        }
    return wall;
}

TEST(WallArrangement, MovesRowsSettingsOnlyWithinTheUsedWall) {
    mlc::WallModel wall = wallOf(2, 3);
    EXPECT_FALSE(mlc::MoveWallRow(wall, 2, 2));
    EXPECT_FALSE(mlc::MoveWallRow(wall, 1, 4)); // beyond the used rows
    ASSERT_TRUE(mlc::MoveWallRow(wall, 3, 1));
    for (int c = 1; c <= 2; ++c) {
        EXPECT_EQ(wall.Monitors.at(c, 1).Settings.Brightness, c * 100 + 3);
        EXPECT_EQ(wall.Monitors.at(c, 2).Settings.Brightness, c * 100 + 1);
        EXPECT_EQ(wall.Monitors.at(c, 3).Settings.Brightness, c * 100 + 2);
        EXPECT_EQ(wall.Monitors.at(c, 1).DeviceId, 10 + c);
    }
    EXPECT_EQ(wall.Monitors.at(3, 1).Settings.Brightness, 301); // outside the wall
}

TEST(WallArrangement, NumbersByRowAndColumnRepeatingBeyondNineColumns) {
    mlc::WallModel wall = wallOf(11, 2);
    wall.DeviceState.at(11, 1).DeviceId = 5;
    mlc::NumberDevicesByRowAndColumn(wall);
    EXPECT_EQ(wall.Monitors.at(1, 1).DeviceId, 11);
    EXPECT_EQ(wall.Monitors.at(11, 1).DeviceId, 21);
    EXPECT_EQ(wall.Monitors.at(1, 2).DeviceId, 21);
    EXPECT_EQ(wall.Monitors.at(11, 2).DeviceId, 31);
    EXPECT_FALSE(wall.Monitors.at(11, 2).Synced);
    EXPECT_TRUE(wall.Monitors.at(12, 1).Synced); // outside the wall
    EXPECT_EQ(wall.DeviceState.at(11, 1).DeviceId, 5);

    mlc::NumberDevicesSequentially(wall);
    EXPECT_EQ(wall.Monitors.at(11, 1).DeviceId, 11);
    EXPECT_EQ(wall.Monitors.at(1, 2).DeviceId, 12);

    // A full wall: the last place shares 255 rather than wrap to the broadcast ID 0.
    wall = wallOf(16, 16);
    mlc::NumberDevicesSequentially(wall);
    EXPECT_EQ(wall.Monitors.at(15, 16).DeviceId, 255);
    EXPECT_EQ(wall.Monitors.at(16, 16).DeviceId, 255);
}

TEST(WallArrangement, ChangesAnIdInBothArraysUnlessItIsTheSame) {
    mlc::WallModel wall = wallOf(2, 2);
    EXPECT_FALSE(mlc::ChangeMonitorId(wall, 2, 1, 12));
    EXPECT_TRUE(wall.Monitors.at(2, 1).Synced);
    EXPECT_TRUE(mlc::ChangeMonitorId(wall, 2, 1, 40));
    EXPECT_EQ(wall.Monitors.at(2, 1).DeviceId, 40);
    EXPECT_EQ(wall.DeviceState.at(2, 1).DeviceId, 40);
    EXPECT_FALSE(wall.Monitors.at(2, 1).Synced);
    EXPECT_FALSE(mlc::ChangeMonitorId(wall, 17, 1, 3));
}

} // namespace
