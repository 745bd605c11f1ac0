// Synchronisation end to end on the emulated chain (see wall_on_emulator.h).
#if __has_include("emulator_process.h")

#include "wall_on_emulator.h"

using namespace e2e;

TEST_F(WallOnEmulator, FirstWallWriteSendsEveryFieldAndOneBroadcast) {
    start("11,12,21,22", 2, 2);
    if (HasFatalFailure())
        return;
    for (int r = 1; r <= 2; ++r) {
        for (int c = 1; c <= 2; ++c) {
            TMonitorSettings& s = model.Monitors.at(c, r).Settings;
            s.SourceInput = lists.InputSources.indexOf("isDVI1");
            s.Brightness = 20000 * c + 10000 * r;
            s.Freeze = c == 2;
            s.TestPattern = lists.TestPattern.indexOf("tpTPRemove");
            s.XZoom = 50;
            s.XPosition = 50.0 * (c - 1);
        }
    }
    ASSERT_TRUE(sync.WriteWall());
    awaitBroadcasts(1);
    EXPECT_TRUE(op.messages.empty());
    EXPECT_TRUE(IsWallSynced(model));

    // Every field of a video monitor reached each unit, in the fixed order.
    const std::vector<std::string> everyField = {"op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE",
                                                 "op_IP_MISC_GPO gc8CHANNEL7",
                                                 "op_IP_MISC_BINDKEY gc8CHANNEL1",
                                                 "op_IP_MISC_BINDKEY gc8CHANNEL2",
                                                 "op_IP_MISC_BINDKEY gc8CHANNEL3",
                                                 "op_IP_MISC_BINDKEY gc8CHANNEL4",
                                                 "op_IP_MISC_SETQUEUE",
                                                 "op_SELECT_SOURCE wnWIN_MAIN",
                                                 "op_FREEZE_FRAME wnWIN_MAIN",
                                                 "op_IP_MISC_GPO gc8CHANNEL8",
                                                 "op_INTERPOLATIONTYPE wnWIN_MAIN",
                                                 "op_BRIGHTNESS wnWIN_MAIN",
                                                 "op_CONTRAST wnWIN_MAIN",
                                                 "op_SHARPNESS wnWIN_MAIN",
                                                 "op_COLOR_TEMP",
                                                 "op_RED_TEMP",
                                                 "op_GREEN_TEMP",
                                                 "op_BLUE_TEMP",
                                                 "op_SATURATION wnWIN_MAIN",
                                                 "op_HUE wnWIN_MAIN",
                                                 "op_IP_MISC_GAMMACONTINUOUS",
                                                 "op_KEYSTONE_MODE wnWIN_MAIN",
                                                 "op_KEYSTONE wnWIN_MAIN",
                                                 "op_BLANK_DISPLAY_COLOR",
                                                 "op_TEST_PATTERN",
                                                 "op_IP_MISC_HZOOM",
                                                 "op_IP_MISC_VZOOM",
                                                 "op_IP_MISC_HPAN",
                                                 "op_IP_MISC_VPAN"};
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c)
            EXPECT_EQ(receivedOps(0, std::to_string(idOf(c, r))), everyField) << "unit " << int(idOf(c, r));

    // One broadcast execution, the last thing sent.
    const auto broadcast = receivedOps(0, "all");
    EXPECT_EQ(broadcast, (std::vector<std::string>{"op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE",
                                                   "op_IP_MISC_EXECUTEQUEUE"}));
    const auto rx = emu->logLines("dir=rx");
    EXPECT_EQ(testsupport::fieldOf(rx.back(), "name"), "op_IP_MISC_EXECUTEQUEUE");

    // The queues are applied: the units hold the values now.
    for (int r = 1; r <= 2; ++r) {
        for (int c = 1; c <= 2; ++c) {
            const std::uint8_t id = idOf(c, r);
            EXPECT_EQ(item(id, "op_SELECT_SOURCE", "wnWIN_MAIN"), "isDVI1");
            EXPECT_EQ(item(id, "op_FREEZE_FRAME", "wnWIN_MAIN"), c == 2 ? "enEnable" : "enNotEnabled");
            EXPECT_EQ(item(id, "op_IP_MISC_GPO", "gc8CHANNEL7"), "gc16CHANNEL2");
            EXPECT_EQ(item(id, "op_IP_MISC_BINDKEY", "gc8CHANNEL3"), lists.InputSources.Ids[5]);
            EXPECT_EQ(item(id, "op_TEST_PATTERN"), "tpTPRemove");
            EXPECT_THAT(percent(id, "op_BRIGHTNESS", "wnWIN_MAIN"),
                        IsPercentNear(20000 * c + 10000 * r, 255));
            EXPECT_THAT(percent(id, "op_IP_MISC_HZOOM"), IsPercentNear(8196, 65535));
            EXPECT_THAT(percent(id, "op_IP_MISC_HPAN"), IsPercentNear(c == 2 ? 100000 : 0, 65535));
            EXPECT_THAT(percent(id, "op_IP_MISC_VZOOM"), IsPercentNear(1639, 65535));
        }
    }
    EXPECT_NE(emu->state().find("unit 11 queue closed 0"), std::string::npos);
}

TEST_F(WallOnEmulator, UnchangedWallSendsOnlyTheFixedStepsAndChangesOnlyDifferences) {
    start("11,12", 2, 1);
    if (HasFatalFailure())
        return;
    model.Monitors.at(2, 1).Settings.SourceInput = lists.InputSources.indexOf("isDVI1");
    ASSERT_TRUE(sync.WriteWall());
    awaitBroadcasts(1);
    std::size_t from = receivedCount();
    ASSERT_TRUE(sync.WriteWall());
    awaitBroadcasts(2);
    const std::vector<std::string> fixed = {"op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE",
                                            "op_IP_MISC_GPO gc8CHANNEL7", "op_IP_MISC_SETQUEUE"};
    EXPECT_EQ(receivedOps(from, "11"), fixed);
    EXPECT_EQ(receivedOps(from, "12"), fixed);
    EXPECT_EQ(
        receivedOps(from, "all"),
        (std::vector<std::string>{"op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE", "op_IP_MISC_EXECUTEQUEUE"}));

    // Video to analog RGB: the source and only the RGB fields that differ.
    TMonitorSettings& s = model.Monitors.at(2, 1).Settings;
    s.SourceInput = lists.InputSources.indexOf("isANALOGRGB2");
    s.Phase = 10000;
    s.Frequency = 90000;
    from = receivedCount();
    ASSERT_TRUE(sync.WriteWall());
    awaitBroadcasts(3);
    EXPECT_EQ(
        receivedOps(from, "12"),
        (std::vector<std::string>{"op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE", "op_IP_MISC_GPO gc8CHANNEL7",
                                  "op_IP_MISC_SETQUEUE", "op_SELECT_SOURCE wnWIN_MAIN", "op_PHASE wnWIN_MAIN",
                                  "op_HORZ_TOTAL wnWIN_MAIN"}));
    EXPECT_EQ(item(12, "op_SELECT_SOURCE", "wnWIN_MAIN"), "isANALOGRGB2");
    EXPECT_THAT(percent(12, "op_PHASE", "wnWIN_MAIN"), IsPercentNear(10000, 31));
}

TEST_F(WallOnEmulator, ReadWallFillsDeviceStateAndMissingIdentifiersGiveZero) {
    start("11,12", 2, 1);
    if (HasFatalFailure())
        return;
    TMonitorSettings& s = model.Monitors.at(1, 1).Settings;
    s.SourceInput = lists.InputSources.indexOf("isSVIDEO1");
    s.ColorTemperature = 2;
    s.BindKey = {3, 2, 1, 0};
    s.Contrast = 80000;
    s.XZoom = 50;
    s.XPosition = 25;
    ASSERT_TRUE(sync.WriteWall());
    awaitBroadcasts(1);

    // Unit 12 gets an input the program's list leaves out.
    ASSERT_EQ(binding.SelectDevice(12), 128);
    ASSERT_EQ(binding.SetOperationIdentifier("op_SELECT_SOURCE", "wnWIN_MAIN", "isAUTOSELECT"), 128);
    model.Monitors.at(2, 1).Settings.SourceInput = 5;

    model.DeviceState.at(1, 1).Settings = TMonitorSettings{};
    SetAllSynced(model, false);
    ASSERT_TRUE(sync.ReadWall(true));
    EXPECT_TRUE(IsWallSynced(model));
    const TMonitorSettings& r = model.DeviceState.at(1, 1).Settings;
    EXPECT_EQ(r.SourceInput, s.SourceInput);
    EXPECT_EQ(r.ColorTemperature, 2);
    EXPECT_EQ(r.BindKey, s.BindKey);
    EXPECT_THAT(r.Contrast, IsPercentNear(80000, 255));
    EXPECT_NEAR(r.XZoom, 50, 0.01);
    EXPECT_NEAR(r.XPosition, 25, 0.01);
    EXPECT_EQ(model.DeviceState.at(2, 1).Settings.SourceInput, 0);
}

TEST_F(WallOnEmulator, AFailingUnitStopsTheWriteWithTheErrorBoxAndNoBroadcast) {
    start("11,12,13", 3, 1, {"--fault", "nak,unit=12,at=5"});
    if (HasFatalFailure())
        return;
    EXPECT_FALSE(sync.WriteWall());
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(op.messages[0].text, "ERROR ($05): Read/Write error on hardware communication interface");
    EXPECT_TRUE(model.Monitors.at(1, 1).Synced);
    EXPECT_FALSE(model.Monitors.at(2, 1).Synced);
    EXPECT_TRUE(receivedOps(0, "13").empty());
    EXPECT_TRUE(receivedOps(0, "all").empty());
    EXPECT_EQ(op.progressCloseCount, 1);
}

TEST_F(WallOnEmulator, ASingleMonitorWallWritesWithoutProgressBar) {
    start("11", 1, 1);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(sync.WriteWall());
    awaitBroadcasts(1);
    for (const auto& view : op.progressViews)
        EXPECT_FALSE(view.barVisible);
    EXPECT_EQ(receivedOps(0, "all").size(), 2u);
}

#endif
