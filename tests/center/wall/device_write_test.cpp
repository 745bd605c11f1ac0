#include "sync_fixture.h"
#include "wall/wall_state.h"

using namespace mlc;
using Lines = std::vector<std::string>;

namespace {

const Lines kSelect11 = {"SetAnswerRxStatus 1",
                         "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE env11",
                         "SendOpSetValue op_IP_MISC_GPO gc8CHANNEL7 gc16CHANNEL2"};

} // namespace

TEST_F(SyncFixture, FirstWriteSendsEveryFieldThenOnlyTheFixedSteps) {
    ASSERT_TRUE(sync.WriteMonitor(1, 1, true));
    const Lines expected = concat({kSelect11,
                                   {"SendOpSetValue op_IP_MISC_BINDKEY gc8CHANNEL1 isVIDEO1",
                                    "SendOpSetValue op_IP_MISC_BINDKEY gc8CHANNEL2 isVIDEO2",
                                    "SendOpSetValue op_IP_MISC_BINDKEY gc8CHANNEL3 isDVI1",
                                    "SendOpSetValue op_IP_MISC_BINDKEY gc8CHANNEL4 isDVI2",
                                    "SendOpExecute op_IP_MISC_SETQUEUE -",
                                    "SendOpSetValue op_SELECT_SOURCE wnWIN_MAIN isVIDEO1",
                                    "SendOpSetValue op_FREEZE_FRAME wnWIN_MAIN enNotEnabled",
                                    "SendOpSetValue op_IP_MISC_GPO gc8CHANNEL8 gc16CHANNEL1",
                                    "SendOpSetValue op_INTERPOLATIONTYPE wnWIN_MAIN inLINEAR",
                                    "SendOpSetValue op_BRIGHTNESS wnWIN_MAIN %50000",
                                    "SendOpSetValue op_CONTRAST wnWIN_MAIN %50000",
                                    "SendOpSetValue op_SHARPNESS wnWIN_MAIN %50000",
                                    "SendOpSetValue op_COLOR_TEMP - ctUSER",
                                    "SendOpSetValue op_RED_TEMP - %50000",
                                    "SendOpSetValue op_GREEN_TEMP - %50000",
                                    "SendOpSetValue op_BLUE_TEMP - %50000",
                                    "SendOpSetValue op_SATURATION wnWIN_MAIN %50000",
                                    "SendOpSetValue op_HUE wnWIN_MAIN %50000",
                                    "SendOpSetValue op_IP_MISC_GAMMACONTINUOUS - %50000",
                                    "SendOpSetValue op_KEYSTONE_MODE wnWIN_MAIN kmNONE",
                                    "SendOpSetValue op_KEYSTONE wnWIN_MAIN %50000",
                                    "SendOpSetValue op_BLANK_DISPLAY_COLOR - scBLACK",
                                    "SendOpSetValue op_TEST_PATTERN - tpTPRemove",
                                    "SendOpSetValue op_IP_MISC_HZOOM - %1639",
                                    "SendOpSetValue op_IP_MISC_VZOOM - %1639",
                                    "SendOpSetValue op_IP_MISC_HPAN - %0",
                                    "SendOpSetValue op_IP_MISC_VPAN - %0",
                                    "SendOpExecute op_IP_MISC_EXECUTEQUEUE -"}});
    EXPECT_EQ(calls(), expected);
    EXPECT_TRUE(model.Monitors.at(1, 1).Synced);
    EXPECT_EQ(model.DeviceState.at(1, 1).Settings, settings(1, 1));
    EXPECT_TRUE(op.messages.empty());

    calls().clear();
    options.DisableSourceInfo = false;
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    EXPECT_EQ(calls(),
              (Lines{"SetAnswerRxStatus 1", "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE env11",
                     "SendOpSetValue op_IP_MISC_GPO gc8CHANNEL7 gc16CHANNEL1",
                     "SendOpExecute op_IP_MISC_SETQUEUE -"}));
}

TEST_F(SyncFixture, SendsOnlyDifferencesForTheSourceType) {
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    // Video to analog RGB: the RGB fields that differ follow the source; video-only
    // fields are left out.
    settings(1, 1).SourceInput = 3;
    settings(1, 1).Phase = 61000;
    settings(1, 1).Sharpness = 1;
    settings(1, 1).Termination[0] = false; // never sent
    settings(1, 1).ScalerMode = 2;         // never sent
    calls().clear();
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    EXPECT_EQ(calls(), concat({kSelect11,
                               {"SendOpExecute op_IP_MISC_SETQUEUE -",
                                "SendOpSetValue op_SELECT_SOURCE wnWIN_MAIN isANALOGRGB1",
                                "SendOpSetValue op_PHASE wnWIN_MAIN %61000"}}));
    // The record is held whole, including fields that are never sent.
    EXPECT_EQ(model.DeviceState.at(1, 1).Settings, settings(1, 1));

    // Brightness and one bound key.
    settings(1, 1).Brightness = 12000;
    settings(1, 1).BindKey[2] = 4;
    calls().clear();
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    EXPECT_EQ(calls(), concat({kSelect11,
                               {"SendOpSetValue op_IP_MISC_BINDKEY gc8CHANNEL3 isANALOGRGB2",
                                "SendOpExecute op_IP_MISC_SETQUEUE -",
                                "SendOpSetValue op_BRIGHTNESS wnWIN_MAIN %12000"}}));
}

TEST_F(SyncFixture, ZoomChangeResendsThePanAndZeroZoomIsNotSent) {
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    settings(1, 1).XZoom = 50;
    calls().clear();
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    EXPECT_EQ(calls(),
              concat({kSelect11,
                      {"SendOpExecute op_IP_MISC_SETQUEUE -", "SendOpSetValue op_IP_MISC_HZOOM - %8196",
                       "SendOpSetValue op_IP_MISC_HPAN - %0"}}));

    settings(1, 1).YZoom = 0;
    settings(1, 1).YPosition = 25;
    calls().clear();
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    EXPECT_EQ(calls(),
              concat({kSelect11,
                      {"SendOpExecute op_IP_MISC_SETQUEUE -", "SendOpSetValue op_IP_MISC_VPAN - %25000"}}));
    // The device keeps its old zoom, and so does DeviceState: the next write tries again.
    EXPECT_EQ(model.DeviceState.at(1, 1).Settings.YZoom, 100.0);
    EXPECT_EQ(model.DeviceState.at(1, 1).Settings.YPosition, 25.0);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(op.messages[0].text, "1 setting on 1 monitor has no value the units understand and was not "
                                   "sent:\r\nColumn 1, row 1 (ID 11): YZoom 0");
}

TEST_F(SyncFixture, ListPositionsWithoutAnIdentifierAreSkippedAndReported) {
    settings(1, 1).SourceInput = 7;
    settings(1, 1).BindKey[0] = -1;
    settings(1, 1).TestPattern = -1; // "tpTPRemove" was missing when the defaults were made
    lists.FrameLock.Ids.clear();
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    for (const auto& line : calls()) {
        EXPECT_EQ(line.find("op_SELECT_SOURCE"), std::string::npos);
        EXPECT_EQ(line.find("gc8CHANNEL1 "), std::string::npos);
        EXPECT_EQ(line.find("op_TEST_PATTERN"), std::string::npos);
        EXPECT_EQ(line.find("gc8CHANNEL8"), std::string::npos);
    }
    EXPECT_NE(std::find(calls().begin(), calls().end(), "SendOpSetValue op_BRIGHTNESS wnWIN_MAIN %50000"),
              calls().end());
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "4 settings on 1 monitor have no value the units understand and were "
                                   "not sent:"
                                   "\r\nColumn 1, row 1 (ID 11): BindKey1 -1"
                                   "\r\nColumn 1, row 1 (ID 11): SourceInput 7"
                                   "\r\nColumn 1, row 1 (ID 11): FrameLock 0"
                                   "\r\nColumn 1, row 1 (ID 11): TestPattern -1");
    const TMonitorSettings& held = model.DeviceState.at(1, 1).Settings;
    EXPECT_EQ(held.SourceInput, 0);
    EXPECT_EQ(held.BindKey[0], 0);
    EXPECT_EQ(held.Brightness, 50000);
}

TEST_F(SyncFixture, ManyUnsentFieldsComeAsOneSummary) {
    resize(3, 3);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            settings(c, r).TestPattern = -1;
    ASSERT_TRUE(sync.WriteWall());
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "9 settings on 9 monitors have no value the units understand and were not "
                                   "sent:\r\nColumn 1, row 1 (ID 11): TestPattern -1"
                                   "\r\nColumn 2, row 1 (ID 12): TestPattern -1"
                                   "\r\nColumn 3, row 1 (ID 13): TestPattern -1"
                                   "\r\nColumn 1, row 2 (ID 21): TestPattern -1"
                                   "\r\nColumn 2, row 2 (ID 22): TestPattern -1\r\nand 4 more.");
}

TEST_F(SyncFixture, WriteWallQueuesEveryMonitorAndBroadcastsOnce) {
    resize(2, 1);
    ASSERT_TRUE(sync.WriteWall());
    const auto broadcast = Lines{"SetAnswerRxStatus 0",
                                 "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE "
                                 "envNotEnabled",
                                 "SendOpExecute op_IP_MISC_EXECUTEQUEUE -"};
    ASSERT_GE(calls().size(), 3u);
    EXPECT_EQ(Lines(calls().end() - 3, calls().end()), broadcast);
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "SendOpExecute op_IP_MISC_EXECUTEQUEUE -"), 1);
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "SendOpSetValue op_BRIGHTNESS wnWIN_MAIN %50000"),
              2);
    EXPECT_TRUE(model.Monitors.at(2, 1).Synced);

    // Progress: text, range 1..2, one position per monitor, closed once.
    EXPECT_EQ(op.progressOpenCount, 1);
    EXPECT_EQ(op.progressCloseCount, 1);
    std::vector<int> percents;
    for (const auto& view : op.progressViews) {
        if (view.barVisible)
            percents.push_back(view.percent);
        EXPECT_TRUE(view.text == "Working..." || view.text == "Updating videowall...");
    }
    EXPECT_EQ(percents, (std::vector<int>{0, 100}));
}

TEST_F(SyncFixture, AFailingUnitStopsTheWallWriteWithoutBroadcast) {
    resize(3, 1);
    fakeplugin::script().failures["SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE env12"] = 5;
    fakeplugin::script().lastError = "Cannot write to /dev/ttyS0 (error 5)";
    EXPECT_FALSE(sync.WriteWall());
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(op.messages[0].text, "ERROR ($05): Read/Write error on hardware communication interface\r\n"
                                   "Cannot write to /dev/ttyS0 (error 5)");
    EXPECT_EQ(calls().back(), "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE env12");
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "SendOpExecute op_IP_MISC_EXECUTEQUEUE -"), 0);
    EXPECT_TRUE(model.Monitors.at(1, 1).Synced);
    EXPECT_FALSE(model.Monitors.at(2, 1).Synced);
    EXPECT_EQ(op.progressCloseCount, 1);

    // A command failure has no serial message to add.
    fakeplugin::script().failures.clear();
    fakeplugin::script().failures["SendOpSetValue op_CONTRAST wnWIN_MAIN %50000"] = 130;
    op.messages.clear();
    EXPECT_FALSE(sync.WriteMonitor(3, 1, true));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "ERROR ($82): The specified operation code is unknown");
    EXPECT_FALSE(model.Monitors.at(3, 1).Synced);
}

TEST_F(SyncFixture, ASingleMonitorWallShowsNoProgressBar) {
    ASSERT_TRUE(sync.WriteWall());
    ASSERT_TRUE(sync.ReadWall(true));
    for (const auto& view : op.progressViews)
        EXPECT_FALSE(view.barVisible);
    EXPECT_EQ(op.progressOpenCount, 2);
    EXPECT_EQ(op.progressCloseCount, 2);
}

TEST_F(SyncFixture, ASecondExchangeStartedMidWriteIsRefused) {
    resize(2, 2);
    int refused = 0;
    std::size_t callsBefore = 0;
    op.onPendingEvents = [&] {
        EXPECT_TRUE(sync.Busy());
        callsBefore = calls().size();
        refused += !sync.WriteWall();
        refused += !sync.WriteMonitor(1, 1, true);
        refused += !sync.ReadWall(true);
        refused += !sync.ExecuteQueue();
        EXPECT_EQ(calls().size(), callsBefore);
    };
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_EQ(refused, 4 * op.pendingEventRuns);
    EXPECT_GT(op.pendingEventRuns, 4);
    EXPECT_FALSE(sync.Busy());
    // Each refusal was told, and the writes that could not run leave the wall needing
    // a synchronisation: (1, 1) was written before the last refusals came.
    EXPECT_EQ(op.reportTexts(),
              std::vector<std::string>(static_cast<std::size_t>(refused), kExchangeBusyMessage));
    EXPECT_FALSE(model.Monitors.at(1, 1).Synced);
    EXPECT_FALSE(IsWallSynced(model));
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "SendOpExecute op_IP_MISC_EXECUTEQUEUE -"), 1);
}

TEST_F(SyncFixture, RouterInputsAndCommitsFollowTheOptions) {
    options.ActivateVideoRouter = true;
    settings(1, 1).VideoMatrixSource = 3;
    ASSERT_TRUE(sync.WriteMonitor(1, 1, true));
    EXPECT_EQ(routerLog(), "SetNewInput 11 3 -> 1\nCommitChanges -> 1\n");

    // Refused input: the exact box, the monitor stays unsynced.
    settings(1, 1).VideoMatrixSource = 4;
    routerRefuse.set("SetNewInput");
    EXPECT_FALSE(sync.WriteMonitor(1, 1, true));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "Virtual video router refused to set the specified input");
    EXPECT_EQ(model.DeviceState.at(1, 1).Settings.VideoMatrixSource, 3);

    // A refused commit fails the wall write without a message.
    routerRefuse.set("CommitChanges");
    std::remove(routerLogFile.c_str());
    EXPECT_FALSE(sync.WriteWall());
    EXPECT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(routerLog(), "SetNewInput 11 4 -> 1\nCommitChanges -> 0\n");
    EXPECT_EQ(op.progressViews.back().text, "Updating external hardware...");
    EXPECT_FALSE(op.progressViews.back().barVisible);

    // An input the router did not take (router off) is not what the unit is known to
    // hold: once the router is on, it is sent.
    routerRefuse.set(nullptr);
    options.ActivateVideoRouter = false;
    settings(1, 1).VideoMatrixSource = 6;
    ASSERT_TRUE(sync.WriteMonitor(1, 1, true));
    EXPECT_EQ(model.DeviceState.at(1, 1).Settings.VideoMatrixSource, 4);
    options.ActivateVideoRouter = true;
    std::remove(routerLogFile.c_str());
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    EXPECT_EQ(routerLog(), "SetNewInput 11 6 -> 1\n");
    EXPECT_EQ(model.DeviceState.at(1, 1).Settings.VideoMatrixSource, 6);

    // With the serial link off the router is neither switched nor committed by a wall write.
    routerRefuse.set(nullptr);
    std::remove(routerLogFile.c_str());
    options.InhibitSerialCommunication = true;
    settings(1, 1).VideoMatrixSource = 9;
    EXPECT_TRUE(sync.WriteWall());
    EXPECT_EQ(routerLog(), "");
}
