// The core object on the real binding, router and synchronisation, with the
// recording in-process plug-in in place of the library.
#include "../fake/fake_plugin.h"
#include "app/control_center.h"
#include "app/core_device_services.h"
#include "files/wall_file.h"
#include "no_dialogs.h"
#include "paths.h"
#include "scripted_operator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

bool called(const std::string& line) {
    const auto& calls = fakeplugin::script().calls;
    return std::find(calls.begin(), calls.end(), line) != calls.end();
}

// The program on a 1 x 1 wall over the fake plug-in, its clock driven by the test.
class CoreWiring : public ::testing::Test {
protected:
    CoreWiring() {
        std::ofstream(dir.file("mlcenter.INI")) << "[Videowall]\nWidth=1\nHeight=1\n";
        fakeplugin::reset();
    }

    void start() {
        devices.attach(center.wall(), center.lists(), center.settings());
        ASSERT_TRUE(devices.binding().BindExports(fakeplugin::exports()));
        center.start();
        center.shown();
    }

    testsupport::TempDir dir;
    testsupport::ScriptedOperator op;
    testsupport::NoDialogs ui;
    mlc::CoreDeviceServices devices{op};
    double clock = 0.25;
    mlc::ControlCenter center{
        op,
        ui,
        devices,
        {dir.path() + "/", "mlcenter", [this] { return clock; }, [this] { return clock * 86400; }}};
};

TEST_F(CoreWiring, AnOpenedWallAndAPlayedItemReachTheUnits) {
    fakeplugin::script().lists["mInputSources"] = {{"isVIDEO1", "Video 1"}, {"isANALOGRGB1", "RGB 1"}};
    fakeplugin::script().lists["mScreenColors"] = {{"scBLUE", "Blue"}, {"scBLACK", "Black"}};
    start();
    EXPECT_EQ(center.lists().InputSources.Ids, (std::vector<std::string>{"isVIDEO1", "isANALOGRGB1"}));
    EXPECT_EQ(center.wall().DefaultSettings.BlankColor, 1);
    EXPECT_FALSE(called("SendOpExecute op_IP_MISC_EXECUTEQUEUE -")); // nothing sent at start

    mlc::WallSettings scene = mlc::wallSettingsOf(center.wall().Monitors);
    scene[0].Brightness = 12000;
    ASSERT_TRUE(mlc::saveVideowallFile(op, dir.file("scene.MLV"), scene));
    ui.open = dir.file("scene.MLV");
    center.openAction();
    EXPECT_TRUE(called("SendOpSetValue op_BRIGHTNESS wnWIN_MAIN %12000"));
    EXPECT_TRUE(called("SendOpExecute op_IP_MISC_EXECUTEQUEUE -"));
    EXPECT_TRUE(center.wall().Monitors.at(1, 1).Synced);
    EXPECT_EQ(center.caption().SyncStatus, "Sync: OK");

    center.wall().Monitors.at(1, 1).Settings.Brightness = 34000;
    center.sequencer().newItem();
    center.wall().Monitors.at(1, 1).Settings.Brightness = 1000;
    fakeplugin::script().calls.clear();
    center.sequencer().togglePlay(center.clocks()); // the new item is due one second after the start
    clock += 1.0 / 86400;
    center.sequencer().tick(center.clocks());
    EXPECT_TRUE(called("SendOpSetValue op_BRIGHTNESS wnWIN_MAIN %34000"));
    EXPECT_EQ(center.wall().Monitors.at(1, 1).Settings.Brightness, 34000);
    EXPECT_FALSE(center.sequencer().playing());
    center.end();
    EXPECT_FALSE(devices.binding().IsLoaded());
}

// The synchronisation reads the settings when an exchange starts, whoever starts
// it, and a sequence the timer plays reports what it could not send without a box.
TEST_F(CoreWiring, SettingsCountFromTheNextExchangeAndPlaybackReportsWithoutABox) {
    fakeplugin::script().lists["mInputSources"] = {{"isVIDEO1", "Video 1"}};
    start();

    center.settings().DisableSourceInfo = false;
    EXPECT_FALSE(devices.syncOptions().DisableSourceInfo);
    ASSERT_TRUE(devices.sync().WriteMonitor(1, 1, false));
    EXPECT_TRUE(called("SendOpSetValue op_IP_MISC_GPO gc8CHANNEL7 gc16CHANNEL1"));

    center.wall().Monitors.at(1, 1).Settings.XZoom = 0; // has no device value
    center.sequencer().newItem();
    op.messages.clear();
    center.sequencer().togglePlay(center.clocks());
    clock += 1.0 / 86400;
    center.sequencer().tick(center.clocks());
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
    ASSERT_EQ(op.reports.size(), 1u);
    EXPECT_NE(op.reports[0].text.find("(ID 11): XZoom 0"), std::string::npos) << op.reports[0].text;
    // Executed by the operator, the same item says so in a box.
    center.sequencer().selectOnly(0);
    center.sequencer().executeItem();
    EXPECT_EQ(op.messages.size(), 1u);
    center.end();
}

} // namespace
