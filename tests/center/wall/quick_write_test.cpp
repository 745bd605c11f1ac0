// The wall write's additions for large walls, on the recording fake plug-in: what
// a quick write leaves out and when the plug-in is told to remember ranges.
#include "sync_fixture.h"
#include "wall/wall_state.h"

using namespace mlc;
using Lines = std::vector<std::string>;

namespace {

const Lines kBroadcast = {"SetAnswerRxStatus 0",
                          "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE envNotEnabled",
                          "SendOpExecute op_IP_MISC_EXECUTEQUEUE -"};

Lines unitWrite(const std::string& env, const std::string& sourceInfo, const Lines& queued) {
    Lines lines = {"SetAnswerRxStatus 1", "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE " + env,
                   "SendOpSetValue op_IP_MISC_GPO gc8CHANNEL7 " + sourceInfo,
                   "SendOpExecute op_IP_MISC_SETQUEUE -"};
    lines.insert(lines.end(), queued.begin(), queued.end());
    return lines;
}

} // namespace

TEST_F(SyncFixture, AQuickWallWriteSendsOnlyTheMonitorsWithChanges) {
    resize(2, 2);
    options.QuickSync = true;
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "SendOpExecute op_IP_MISC_SETQUEUE -"), 4)
        << "not synced: every monitor whole";

    // Nothing changed: the broadcast alone.
    calls().clear();
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_EQ(calls(), kBroadcast);

    // One new input, and a field that is never sent, which needs no write.
    settings(2, 1).SourceInput = 5;
    settings(1, 2).ScalerMode = 3;
    calls().clear();
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_EQ(calls(), concat({unitWrite("env12", "gc16CHANNEL2",
                                         {"SendOpSetValue op_SELECT_SOURCE wnWIN_MAIN isDVI1"}),
                               kBroadcast}));
    EXPECT_EQ(model.DeviceState.at(1, 2).Settings, settings(1, 2));
    EXPECT_TRUE(IsWallSynced(model));

    // The source-information output goes with every monitor's write: a new one
    // writes them all.
    options.DisableSourceInfo = false;
    calls().clear();
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_EQ(
        std::count(calls().begin(), calls().end(), "SendOpSetValue op_IP_MISC_GPO gc8CHANNEL7 gc16CHANNEL1"),
        4);
    EXPECT_EQ(calls().size(), 4 * 4 + kBroadcast.size());

    // A monitor that is not synced is written whole; a router input to set is a change.
    model.Monitors.at(1, 1).Synced = false;
    options.ActivateVideoRouter = true;
    settings(2, 2).VideoMatrixSource = 2;
    calls().clear();
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "SendOpExecute op_IP_MISC_SETQUEUE -"), 2);
    EXPECT_EQ(calls()[3], "SendOpSetValue op_IP_MISC_BINDKEY gc8CHANNEL1 isVIDEO1");
    EXPECT_EQ(routerLog(), "SetNewInput 22 2 -> 1\nCommitChanges -> 1\n");

    // The write of one monitor stays as it always was.
    calls().clear();
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    EXPECT_EQ(calls(), unitWrite("env11", "gc16CHANNEL1", {}));
}

TEST_F(SyncFixture, ThePlugInIsToldAboutRangesOnlyOnceTheOptionWasOn) {
    ASSERT_TRUE(sync.WriteWall());
    ASSERT_TRUE(sync.ResyncVideowall());
    EXPECT_EQ(
        std::count_if(calls().begin(), calls().end(),
                      [](const std::string& line) { return line.rfind("SetRangeCacheStatus", 0) == 0; }),
        0);

    options.CacheUnitRanges = true;
    calls().clear();
    ASSERT_TRUE(sync.WriteWall());
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_EQ(calls().front(), "SetRangeCacheStatus 1");
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "SetRangeCacheStatus 1"), 1);

    // A resynchronisation starts from what the units hold, ranges included.
    calls().clear();
    ASSERT_TRUE(sync.ResyncVideowall());
    EXPECT_EQ(calls().front(), "SetRangeCacheStatus 1");

    options.CacheUnitRanges = false;
    calls().clear();
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_EQ(calls().front(), "SetRangeCacheStatus 0");
}
