// The core object on the real binding, router and synchronisation, with the
// recording in-process plug-in in place of the library.
#include "../fake/fake_plugin.h"
#include "app/control_center.h"
#include "app/core_device_services.h"
#include "files/wall_file.h"
#include "paths.h"
#include "scripted_operator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

class NoDialogs : public mlc::UserInterface {
public:
    std::optional<std::string> chooseFileToOpen(const mlc::FileDialogRequest&) override { return open; }
    std::optional<std::string> chooseFileToSave(const mlc::FileDialogRequest&) override {
        return std::nullopt;
    }
    bool editItemDetails(mlc::ItemDetails&) override { return true; }
    std::optional<std::string> open;
};

bool called(const std::string& line) {
    const auto& calls = fakeplugin::script().calls;
    return std::find(calls.begin(), calls.end(), line) != calls.end();
}

TEST(CoreWiring, AnOpenedWallAndAPlayedItemReachTheUnits) {
    testsupport::TempDir dir;
    std::ofstream(dir.file("mlcenter.INI")) << "[Videowall]\nWidth=1\nHeight=1\n";
    fakeplugin::reset();
    fakeplugin::script().lists["mInputSources"] = {{"isVIDEO1", "Video 1"}, {"isANALOGRGB1", "RGB 1"}};
    fakeplugin::script().lists["mScreenColors"] = {{"scBLUE", "Blue"}, {"scBLACK", "Black"}};

    testsupport::ScriptedOperator op;
    NoDialogs ui;
    mlc::CoreDeviceServices devices(op);
    double clock = 0.25;
    mlc::ControlCenter center(
        op, ui, devices,
        {dir.path() + "/", "mlcenter", [&] { return clock; }, [&] { return clock * 86400; }});
    devices.attach(center.wall(), center.lists(), center.settings());
    ASSERT_TRUE(devices.binding().BindExports(fakeplugin::exports()));

    center.start();
    center.shown();
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

} // namespace
