// The preferences dialog's rules: opening, dependent controls, and the order and
// checks of OK, with the autostart entry in a temporary folder.
#include "files/atomic_file.h"
#include "paths.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "setup/autostart_entry.h"
#include "setup/preferences_rules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace mlc;

namespace {

[[maybe_unused]] std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Preferences : public ::testing::Test {
protected:
    void SetUp() override {
        lists.InputSources.Names = {"Analog RGB 1", "Video 1"};
        settings.DemoImageFiles = {"", "/pictures/video.bmp"};
        services.autostartPath = dir.file("autostart/mlcenter.desktop");
        services.programPath = "/opt/marlune/bin/mlcenter";
        services.configureRouter = [this] {
            calls.push_back("router " + std::to_string(wall.WallColumns) + "x" +
                            std::to_string(wall.WallRows));
        };
        services.setTestMode = [this](bool on) { calls.push_back(on ? "test mode on" : "test mode off"); };
    }
    PreferencesForm open(int portCount = 4) {
        return loadPreferences(settings, wall, lists, portCount, fileExists(services.autostartPath));
    }
    void ok(PreferencesForm& form) { storePreferences(form, settings, wall, services, op); }

    testsupport::TempDir dir;
    testsupport::ScriptedOperator op;
    ProgramSettings settings;
    WallModel wall;
    MatchLists lists;
    PreferencesServices services;
    std::vector<std::string> calls;
};

TEST_F(Preferences, OpenAndOkKeepEverythingAsItWas) {
    wall.WallColumns = 12;
    wall.WallRows = 14;
    settings.SerialPortNumber = 7; // beyond the four ports: COM1 shows
    settings.HighlightType = 7;    // unknown: drawn as an inversion, the first entry
    settings.CacheUnitRanges = true;
    PreferencesForm form = open();
    EXPECT_TRUE(form.cacheRanges);
    EXPECT_FALSE(form.quickSync || form.verifyWrites);
    form.verifyWrites = true;
    EXPECT_EQ(form.highlight, 0);
    EXPECT_EQ(form.columns, 12);
    EXPECT_EQ(form.rows, 14);
    EXPECT_EQ(form.portIndex, 0);
    EXPECT_EQ(form.imageSources, (std::vector<std::string>{"Analog RGB 1", "Video 1"}));
    EXPECT_EQ(form.measures, (MeasureTexts{"27.00", "27.00", "470.00", "370.00"}));
    EXPECT_EQ(form.monitorType, kCustomMonitorType);
    const WallModel before = wall;
    ok(form);
    EXPECT_EQ(wall.WallColumns, 12);
    EXPECT_EQ(wall.WallRows, 14);
    EXPECT_EQ(wall.XMonitorSize, before.XMonitorSize);
    EXPECT_TRUE(wall.EnableMarginCorrection);
    EXPECT_EQ(settings.SerialPortNumber, 1);
    EXPECT_EQ(settings.DemoImageFiles[1], "/pictures/video.bmp");
    EXPECT_TRUE(settings.CacheUnitRanges && settings.VerifyWrites);
    EXPECT_FALSE(settings.QuickSync);
    EXPECT_THAT(calls, ::testing::ElementsAre("router 12x14", "test mode off"));
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(Preferences, DependentControls) {
    PreferencesForm form = open();
    form.inhibitTransmission = true;
    EXPECT_FALSE(preferencesEnabling(form).autodetectButton);
    form.inhibitTransmission = false;
    EXPECT_TRUE(preferencesEnabling(form).autodetectButton);
    EXPECT_FALSE(preferencesEnabling(form).routerButton);
    EXPECT_FALSE(preferencesEnabling(form).autoRunSequence);
    EXPECT_TRUE(preferencesEnabling(form).measures);
    // With the correction off the custom type counts for nothing.
    form.marginCorrection = false;
    EXPECT_FALSE(preferencesEnabling(form).monitorType);
    EXPECT_FALSE(preferencesEnabling(form).measures);
    form.marginCorrection = true;
    form.monitorType = 0;
    applyMonitorType(form);
    EXPECT_FALSE(preferencesEnabling(form).measures);
    EXPECT_EQ(form.measures, (MeasureTexts{"27.00", "27.00", "470.00", "370.00"}));
}

TEST_F(Preferences, ZeroMeasurementWarnsOnceAndLeavesTheCorrectionOff) {
    PreferencesForm form = open();
    form.measures[static_cast<std::size_t>(MeasureBox::VMonitor)] = "0";
    form.highlight = 2;
    ok(form);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(op.messages[0].text, kMarginCorrectionWarning);
    EXPECT_FALSE(wall.EnableMarginCorrection);
    EXPECT_FALSE(form.marginCorrection);
    EXPECT_EQ(wall.YMonitorSize, 0.0);
    EXPECT_EQ(settings.HighlightType, 2);
}

#ifndef _WIN32 // a freedesktop entry; autostart_entry_test_win32.cpp has the shell link
TEST_F(Preferences, AutoRunWritesAValidEntryAndUncheckingItDeletesIt) {
    services.programPath = "/opt/my programs/100% \"marlune\"/$HOME/back\\slash/mlcenter";
    services.configDir = "/srv/site walls/";
    PreferencesForm form = open();
    EXPECT_FALSE(form.autoRun);
    form.autoRun = true;
    form.autoRunSequence = "/walls/night.MLS";
    ok(form);
    ASSERT_TRUE(fileExists(services.autostartPath));
    const std::string entry = readText(services.autostartPath);
    EXPECT_NE(entry.find("Name=Marlune Control Center\n"), std::string::npos);
    EXPECT_NE(
        entry.find("Exec=\"/opt/my programs/100%% \\\\\"marlune\\\\\"/\\\\$HOME/back\\\\\\\\slash/mlcenter\" "
                   "--config-dir \"/srv/site walls/\"\n"),
        std::string::npos)
        << entry;
    EXPECT_EQ(settings.AutoStartSequence, "/walls/night.MLS");
    const std::string validate = "desktop-file-validate '" + services.autostartPath + "' 2>&1";
    if (FILE* pipe = popen(validate.c_str(), "r")) {
        std::string output;
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        EXPECT_EQ(pclose(pipe), 0) << output;
        EXPECT_EQ(output, "");
    }

    form = open();
    EXPECT_TRUE(form.autoRun);
    form.autoRun = false; // the sequence box still names the file
    ok(form);
    EXPECT_FALSE(fileExists(services.autostartPath));
    EXPECT_EQ(settings.AutoStartSequence, "");
}
#endif

} // namespace
