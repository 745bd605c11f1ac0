#include "binding/driver_binding.h"
#include "matrixsw.h"
#include "paths.h"
#include "router/router_dialog.h"
#include "router/video_router.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "sync/device_sync.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace mlc;

namespace {

// Router script settings for one test, cleared again afterwards.
class RouterScript : public ::testing::Test {
protected:
    void SetUp() override { MATRIXSW_ResetScript(); }
    void TearDown() override { MATRIXSW_ResetScript(); }
    std::string log() const {
        std::ifstream in(logFile, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    testsupport::TempDir dir;
    std::string logFile = dir.file("router.log");
    testsupport::ScopedEnv logEnv{"MATRIXSW_LOG", logFile};
    testsupport::ScopedEnv refuse{"MATRIXSW_REFUSE", nullptr};
    testsupport::ScopedEnv refuseAfter{"MATRIXSW_REFUSE_AFTER", nullptr};
    testsupport::ScopedEnv inputs{"MATRIXSW_INPUTS", nullptr};
    MatrixSwRouter router;
};

} // namespace

TEST_F(RouterScript, AcceptsEverythingByDefaultAndLogsEachCall) {
    EXPECT_TRUE(router.SetDeviceUsage(11, true));
    EXPECT_TRUE(router.SetNewInput(12, 3));
    EXPECT_TRUE(router.CommitChanges());
    router.ResyncVideowall();
    EXPECT_EQ(router.GetInputCount(), 0);
    EXPECT_EQ(router.GetInputName(0), "");
    router.ConfigurePlugin();
    EXPECT_EQ(log(), "SetDeviceUsage 11 1 -> 1\nSetNewInput 12 3 -> 1\nCommitChanges -> 1\nResyncVideowall\n"
                     "GetInputCount -> 0\nGetInputName 0\nConfigurePlugin\n");
}

TEST_F(RouterScript, RefusesNamedCallsAfterAGivenCount) {
    refuse.set("SetNewInput,CommitChanges");
    EXPECT_TRUE(router.SetDeviceUsage(1, false));
    EXPECT_FALSE(router.SetNewInput(1, 2));
    EXPECT_FALSE(router.CommitChanges());
    refuseAfter.set("2");
    EXPECT_TRUE(router.CommitChanges());
    EXPECT_TRUE(router.SetNewInput(1, 2));
    EXPECT_FALSE(router.CommitChanges());
    MATRIXSW_ResetScript();
    EXPECT_TRUE(router.CommitChanges());
}

TEST_F(RouterScript, NamesItsScriptedInputs) {
    inputs.set("Camera 1,Camera 2,");
    EXPECT_EQ(router.GetInputCount(), 3);
    EXPECT_EQ(router.GetInputName(1), "Camera 2");
    EXPECT_EQ(router.GetInputName(2), "");
    EXPECT_EQ(router.GetInputName(3), "");
    EXPECT_EQ(router.GetInputName(-1), "");
}

TEST_F(RouterScript, ConfigureRouterReleasesAllIdsThenRegistersTheWall) {
    WallModel model;
    model.WallColumns = 2;
    model.WallRows = 2;
    model.Monitors.at(1, 1).DeviceId = 11;
    model.Monitors.at(2, 1).DeviceId = 12;
    model.Monitors.at(1, 2).DeviceId = 21;
    model.Monitors.at(2, 2).DeviceId = 22;
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c)
            model.Monitors.at(c, r).Synced = true;
    MatchLists lists;
    DriverBinding binding;
    testsupport::ScriptedOperator op;
    SyncOptions options;
    DeviceSync sync(model, lists, binding, router, op, options);

    EXPECT_TRUE(sync.ConfigureRouter());
    EXPECT_TRUE(op.messages.empty());
    std::string expected;
    for (int id = 1; id <= 99; ++id)
        expected += "SetDeviceUsage " + std::to_string(id) + " 0 -> 1\n";
    expected += "SetDeviceUsage 11 1 -> 1\nSetDeviceUsage 12 1 -> 1\nSetDeviceUsage 21 1 -> 1\n"
                "SetDeviceUsage 22 1 -> 1\n";
    EXPECT_EQ(log(), expected);
    EXPECT_FALSE(model.Monitors.at(2, 2).Synced);

    // Refused at the second registration: monitors not yet reached keep their flag.
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c)
            model.Monitors.at(c, r).Synced = true;
    refuse.set("SetDeviceUsage");
    refuseAfter.set("100");
    EXPECT_FALSE(sync.ConfigureRouter());
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(op.messages[0].text, "Virtual video router refused to configure");
    EXPECT_FALSE(model.Monitors.at(1, 1).Synced);
    EXPECT_FALSE(model.Monitors.at(2, 1).Synced);
    EXPECT_TRUE(model.Monitors.at(1, 2).Synced);

    // Refused while releasing.
    refuseAfter.set("5");
    EXPECT_FALSE(sync.ConfigureRouter());
    EXPECT_EQ(op.messages.size(), 2u);
    EXPECT_TRUE(model.Monitors.at(1, 2).Synced);
}

TEST(DeviceSyncWithoutDriver, ExchangesFailQuietlyAndSendNothing) {
    WallModel model;
    model.WallColumns = 2;
    model.WallRows = 2;
    MatchLists lists;
    DriverBinding binding;
    MatrixSwRouter router;
    testsupport::ScriptedOperator op;
    SyncOptions options;
    DeviceSync sync(model, lists, binding, router, op, options);
    EXPECT_FALSE(sync.WriteWall());
    EXPECT_FALSE(sync.WriteMonitor(1, 1, true));
    EXPECT_FALSE(sync.ReadWall(true));
    EXPECT_FALSE(sync.ExecuteQueue());
    EXPECT_FALSE(sync.Busy());
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(op.progressOpenCount, 0);
    EXPECT_FALSE(model.Monitors.at(1, 1).Synced);
}

TEST_F(RouterScript, ConfigurationWindowShowsInputsAndRegisteredDevicesThroughTheHost) {
    std::vector<std::string> shown;
    RouterDialogHandler handler(
        [&](const std::string& title, const std::string& text) { shown.push_back(title + "|" + text); });
    ASSERT_TRUE(handler.installed());
    for (int id = 1; id <= 99; ++id)
        router.SetDeviceUsage(static_cast<std::uint8_t>(id), false);
    router.SetDeviceUsage(21, true);
    router.SetDeviceUsage(11, true);
    router.ConfigurePlugin();
    inputs.set("Camera 1,Camera 2");
    router.SetNewInput(11, 1);
    router.ConfigurePlugin();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].rfind("Video matrix router|No video matrix is attached.", 0), 0u) << shown[0];
    EXPECT_NE(shown[0].find("Devices registered (2): 11 21"), std::string::npos) << shown[0];
    EXPECT_NE(shown[1].find("Router inputs:\n  1. Camera 1\n  2. Camera 2\n"), std::string::npos) << shown[1];
    EXPECT_NE(shown[1].find("ID 11: input 2 (Camera 2)\n  ID 21: no input switched yet"), std::string::npos)
        << shown[1];
}
