// The core object as the window runs it (ControlCenter over CoreDeviceServices)
// with the real plug-in, against mlemu: start-up, what may run while a wall write
// lets window messages through, and the auto-start sequence.
#include "app/control_center.h"
#include "app/core_device_services.h"
#include "emulator_process.h"
#include "files/wall_file.h"
#include "no_dialogs.h"
#include "paths.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "sequencer/sequence_file.h"
#include "test_timeouts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// A 2 x 1 wall of units 11 and 12 on mlemu, the program folder in a temporary folder.
class ProgramOnEmulator : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(dir.file("mlcenter.INI"))
            << "[General]\nRunWizardAtStartup=0\n[Videowall]\nWidth=2\nHeight=1\nMonitorID11=11\n"
               "MonitorID12=12\n"
            << extraSettings;
    }
    void TearDown() override {
        if (devices.binding().IsLoaded())
            devices.shutDown();
    }

    void start() {
        devices.attach(center.wall(), center.lists(), center.settings());
        center.start();
        ASSERT_TRUE(devices.binding().IsLoaded()) << devices.binding().LoadError();
        center.shown();
    }

    // The percentage a unit holds for an operation, from mlemu's state dump.
    int percent(int id, const std::string& operation, testsupport::EmulatorProcess* chain = nullptr) {
        // An answered exchange first: the closing broadcast is not waited for.
        devices.binding().SelectDevice(11);
        std::istringstream lines((chain ? *chain : emu).state());
        const std::string prefix = "unit " + std::to_string(id) + " value " + operation + " ";
        for (std::string line; std::getline(lines, line);)
            if (line.rfind(prefix, 0) == 0)
                return std::atoi(testsupport::fieldOf(line, "percent").c_str());
        return -1;
    }

    testsupport::TempDir dir;
    std::string extraSettings;
    testsupport::EmulatorProcess emu{"11-12"};
    testsupport::ScopedEnv ports{"LVDRIVER_PORTS", emu.link()};
    testsupport::ScopedEnv definitions{"LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")};
    testsupport::ScopedEnv timeoutScale{"LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.05)};
    testsupport::ScriptedOperator op;
    testsupport::NoDialogs ui;
    mlc::CoreDeviceServices devices{op};
    double clock = 0.5;
    mlc::ControlCenter center{
        op,
        ui,
        devices,
        {dir.path() + "/", "mlcenter", [this] { return clock; }, [this] { return clock * 86400; }}};
};

// Reconfiguring the port, the driver or the router, ending the program and opening
// a wall are refused while a wall write runs; the write then ends as it began.
TEST_F(ProgramOnEmulator, AWriteInterruptedByReconfigurationAttemptsEndsSynced) {
    start();
    ASSERT_TRUE(op.messages.empty()) << op.messages[0].text;
    center.wall().Monitors.at(2, 1).Settings.Brightness = 23000;
    ui.open = dir.file("other.MLV");
    ASSERT_TRUE(mlc::saveVideowallFile(op, *ui.open, mlc::WallSettings{}));
    int attempts = 0;
    op.onPendingEvents = [&] {
        if (attempts++ > 0)
            return;
        EXPECT_FALSE(center.ApplyConfiguration());
        devices.setTestMode(true);
        devices.reopenPort(1, true);
        EXPECT_FALSE(devices.configureRouter());
        EXPECT_FALSE(center.closeQuery());
        EXPECT_FALSE(center.end());
        center.openAction();
    };
    ASSERT_TRUE(devices.writeWall());
    center.UpdateCaption();

    EXPECT_TRUE(devices.binding().IsLoaded());
    EXPECT_EQ(center.caption().SyncStatus, "Sync: OK");
    EXPECT_EQ(center.wall().Monitors.at(2, 1).Settings.Brightness, 23000); // Open changed nothing
    EXPECT_TRUE(center.videowallFileName().empty());
    EXPECT_EQ(op.reportTexts(), std::vector<std::string>(5, mlc::kExchangeBusyMessage));
    EXPECT_TRUE(op.messages.empty());
    EXPECT_NEAR(percent(12, "op_BRIGHTNESS"), 23000, 500); // the unit's range rounds
    // The link was not switched to test mode: the next write reaches the units too.
    center.wall().Monitors.at(1, 1).Settings.Brightness = 31000;
    op.onPendingEvents = nullptr;
    ASSERT_TRUE(devices.writeWall());
    EXPECT_NEAR(percent(11, "op_BRIGHTNESS"), 31000, 500);
    EXPECT_TRUE(center.end());
}

// The auto-start sequence plays once the port is open: its first item reaches the units.
TEST_F(ProgramOnEmulator, AnAutoStartSequenceReachesTheUnits) {
    mlc::SequenceItems items;
    items.push_back(mlc::NewSequenceItem());
    items[0]->TimeMode = mlc::FromStart;
    items[0]->Seconds = 0; // due at once
    for (auto& settings : items[0]->Settings) {
        settings = mlc::TMonitorSettings{};
        settings.Brightness = 17000;
    }
    ASSERT_TRUE(mlc::saveSequenceFile(op, dir.file("auto.MLS"), items));
    extraSettings = "[Sequencer]\nAutoStartSequence=" + dir.file("auto.MLS") + "\n";
    SetUp();
    start();
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
    EXPECT_NEAR(percent(11, "op_BRIGHTNESS"), 17000, 500);
    EXPECT_NEAR(percent(12, "op_BRIGHTNESS"), 17000, 500);
    EXPECT_FALSE(center.sequencer().playing()); // one item, no loop: played and done
}

} // namespace

#ifndef _WIN32 // a device path that is a symbolic link to a pseudo-terminal, which Wine cannot open
// The serial line fails under a playing sequence (a USB adapter pulled and put back,
// here another chain on the device's path): the port is opened again at once and the
// item's wall sent.
TEST_F(ProgramOnEmulator, AWallKeptFromTheUnitsByAFailedPortIsSentOnceItOpensAgain) {
    const std::string device = dir.file("ttyUSB0");
    ASSERT_EQ(::symlink(emu.terminal().c_str(), device.c_str()), 0);
    const testsupport::ScopedEnv adapter("LVDRIVER_PORTS", device);
    start();
    center.wall().Monitors.at(1, 1).Settings.Brightness = 23000;
    center.sequencer().newItem(); // due 1 s after the start
    center.sequencer().togglePlay(center.clocks());

    emu.stop();
    testsupport::EmulatorProcess replugged("11-12");
    ASSERT_EQ(::unlink(device.c_str()), 0);
    ASSERT_EQ(::symlink(replugged.terminal().c_str(), device.c_str()), 0);
    clock += 2.0 / 86400;
    center.sequencer().tick(center.clocks()); // the line has hung up
    EXPECT_TRUE(devices.portFailed());
    EXPECT_FALSE(center.sequencer().playing());
    center.keepPortOpen();
    EXPECT_EQ(op.reportTexts().back(), "COM1 is open now.");
    EXPECT_NEAR(percent(11, "op_BRIGHTNESS", &replugged), 23000, 500);
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
}
#endif
