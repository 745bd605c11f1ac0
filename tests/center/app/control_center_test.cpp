#include "app/control_center.h"
#include "binding/exchange_gate.h"
#include "files/atomic_file.h"
#include "files/defaults_file.h"
#include "files/wall_file.h"
#include "paths.h"
#include "scripted_operator.h"
#include "sequencer/sequence_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <fstream>
#include <iterator>

namespace {

using mlc::Answer;

using testsupport::readAll;

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class FakeDevices : public mlc::DeviceServices {
public:
    void loadDriver() override { calls.push_back("loadDriver"); }
    bool loadMatchLists(mlc::MatchLists& lists) override {
        calls.push_back("loadMatchLists");
        lists.InputSources.Ids = {"isANALOGRGB1", "isCVBS1", "isSVIDEO1"};
        lists.InputSources.Names = lists.InputSources.Ids;
        lists.ScreenColors.Ids = {"scBLUE", "scBLACK"};
        lists.ScreenColors.Names = lists.ScreenColors.Ids;
        return listsLoad;
    }
    void setTestMode(bool on) override { calls.push_back(on ? "testMode on" : "testMode off"); }
    std::string reopenPort(int number, bool showFailure) override {
        calls.push_back("reopenPort " + std::to_string(number));
        if (portFailures == 0)
            return {};
        --portFailures;
        failuresShown += showFailure ? 1 : 0;
        return "ERROR ($01): Cannot open communication port\r\nUnable to open com port /dev/ttyUSB0 (errno "
               "2: "
               "No such file or directory)";
    }
    bool configureRouter() override {
        calls.push_back("configureRouter");
        return true;
    }
    bool writeWall() override {
        calls.push_back("writeWall");
        return true;
    }
    mlc::VideoRouter& router() override { return matrix; }
    mlc::SyncOptions syncOptions() const override { return {}; }
    bool busy() const override { return exchangeRunning; }
    void shutDown() override { calls.push_back("shutDown"); }

    int count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    std::vector<std::string> calls;
    bool listsLoad = true;
    bool exchangeRunning = false;
    int portFailures = 0; // the next tries to open the port that fail
    int failuresShown = 0;
    mlc::MatrixSwRouter matrix;
};

class FakeUi : public mlc::UserInterface {
public:
    std::optional<std::string> chooseFileToOpen(const mlc::FileDialogRequest& request) override {
        requests.push_back(request);
        return next(openChoices);
    }
    std::optional<std::string> chooseFileToSave(const mlc::FileDialogRequest& request) override {
        requests.push_back(request);
        return next(saveChoices);
    }
    bool editItemDetails(mlc::ItemDetails& details) override {
        details.name = itemName;
        return true;
    }

    std::deque<std::optional<std::string>> openChoices;
    std::deque<std::optional<std::string>> saveChoices;
    std::vector<mlc::FileDialogRequest> requests;
    std::string itemName = "step";

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& choices) {
        if (choices.empty())
            return std::nullopt;
        auto choice = choices.front();
        choices.pop_front();
        return choice;
    }
};

// One run of the program in a program folder of its own.
struct Program {
    explicit Program(const std::string& folder, double time = 0.5)
        : clock(time),
          center(op, ui, devices,
                 {folder + "/", "mlcenter", [this] { return clock; }, [this] { return clock * 86400; }}) {}
    // Time goes on: the window's timers call the port's and the sequencer's ticks.
    void later(double seconds) {
        clock += seconds / 86400;
        center.keepPortOpen();
        center.sequencer().tick(center.clocks());
    }
    testsupport::ScriptedOperator op;
    FakeUi ui;
    FakeDevices devices;
    double clock;
    mlc::ControlCenter center;
};

TEST(ControlCenter, AFirstStartUsesDefaultsAndEnlargesTheWholeWall) {
    testsupport::TempDir dir;
    Program p(dir.path());
    p.center.start();
    p.center.shown();
    const mlc::WallModel& wall = p.center.wall();
    EXPECT_FALSE(p.center.wallRestored());
    EXPECT_EQ(wall.WallColumns, 8);
    EXPECT_EQ(wall.DefaultSettings.BlankColor, 1); // the position of scBLACK
    EXPECT_EQ(wall.Monitors.at(1, 1).Settings.XPosition, 0.0);
    EXPECT_GT(wall.Monitors.at(2, 1).Settings.XPosition, 12.5); // bezel correction applied
    EXPECT_LT(wall.Monitors.at(2, 1).Settings.XZoom, 12.5);
    EXPECT_EQ(wall.Monitors.at(9, 1).Settings.XZoom, 100.0); // outside the used part
    EXPECT_FALSE(wall.VideowallModified);
    EXPECT_EQ(p.devices.count("writeWall"), 0); // nothing is sent at start
    EXPECT_EQ(p.devices.calls.front(), "loadDriver");
    EXPECT_EQ(p.devices.count("testMode off"), 1);
    EXPECT_EQ(p.devices.count("reopenPort 1"), 1);
    EXPECT_EQ(p.center.caption().Caption, "Marlune Control Center - [Untitled - Untitled]");
    EXPECT_TRUE(p.op.messages.empty());
    EXPECT_FALSE(mlc::fileExists(dir.file("mlcenter.INI")));
}

TEST(ControlCenter, EndAndStartAgainRestoreWallSequenceDefaultsAndSettings) {
    testsupport::TempDir dir;
    mlc::WallSettings wallBefore;
    {
        Program p(dir.path());
        p.center.start();
        p.center.shown();
        mlc::WallModel& wall = p.center.wall();
        wall.Monitors.at(16, 16).Settings.Brightness = 1616; // outside the used part too
        wall.Monitors.at(2, 3).Settings.Contrast = 23;
        wall.Monitors.at(2, 11).DeviceId = 77;
        wall.DefaultSettings.Gamma = 4242;
        p.center.settings().SerialPortNumber = 3;
        p.center.sequencer().newItem();
        p.center.sequencer().newItem();
        p.center.sequencer().toggleLoop();
        wallBefore = mlc::wallSettingsOf(wall.Monitors);
        p.center.end();
        EXPECT_EQ(p.devices.calls.back(), "shutDown");
    }
    for (const char* name : {"lastused.MLV", "lastused.MLS", "lastused.MLD", "mlcenter.INI"})
        EXPECT_TRUE(mlc::fileExists(dir.file(name))) << name;

    Program p(dir.path());
    p.center.start();
    p.center.shown();
    EXPECT_TRUE(p.center.wallRestored());
    EXPECT_EQ(mlc::wallSettingsOf(p.center.wall().Monitors), wallBefore);
    EXPECT_EQ(p.center.wall().Monitors.at(2, 11).DeviceId, 77);
    EXPECT_EQ(p.center.wall().DeviceState.at(2, 11).DeviceId, 77);
    EXPECT_EQ(p.center.wall().DefaultSettings.Gamma, 4242);
    EXPECT_EQ(p.devices.count("reopenPort 3"), 1);
    ASSERT_EQ(p.center.sequencer().items().size(), 2u);
    EXPECT_EQ(p.center.sequencer().lines()[1].text, "00:00:01 L - step");
    EXPECT_TRUE(p.center.sequencer().loop());
    // Restored files count as new: no names, no changes.
    EXPECT_TRUE(p.center.videowallFileName().empty());
    EXPECT_TRUE(p.center.sequencer().fileName().empty());
    EXPECT_FALSE(p.center.sequencer().modified());
    EXPECT_FALSE(p.center.wall().VideowallModified);
    EXPECT_TRUE(p.center.lastLoadedWallFile().empty());
}

TEST(ControlCenter, AFailingWriteAtTheEndKeepsThePreviousAutomaticFiles) {
    testsupport::TempDir dir;
    {
        Program p(dir.path());
        p.center.start();
        p.center.end();
    }
    const auto wallBefore = readAll(dir.file("lastused.MLV"));
    const auto settingsBefore = readAll(dir.file("mlcenter.INI"));
    {
        Program p(dir.path());
        p.center.start();
        p.center.wall().Monitors.at(1, 1).Settings.Brightness = 1;
        p.center.wall().WallColumns = 3;
        mlc::ScopedWriteCall full([](int, const void*, std::size_t) -> long {
            errno = ENOSPC;
            return -1;
        });
        p.center.end();
    }
    EXPECT_EQ(readAll(dir.file("lastused.MLV")), wallBefore);
    EXPECT_EQ(readAll(dir.file("mlcenter.INI")), settingsBefore);
}

TEST(ControlCenter, SettingsAreClampedAndUnknownKeysKept) {
    testsupport::TempDir dir;
    writeText(dir.file("mlcenter.INI"), "[Videowall]\nWidth=0\nHeight=40\n[Mine]\nKeep=yes\n");
    Program p(dir.path());
    p.center.start();
    p.center.shown();
    EXPECT_EQ(p.center.wall().WallColumns, 1);
    EXPECT_EQ(p.center.wall().WallRows, 16);
    p.center.end();
    const auto text = readAll(dir.file("mlcenter.INI"));
    const std::string written(text.begin(), text.end());
    EXPECT_NE(written.find("[Mine]\nKeep=yes\n"), std::string::npos);
    EXPECT_NE(written.find("Width=1\nHeight=16\n"), std::string::npos);
}

TEST(ControlCenter, AutoStartSequencePlaysOnlyAnExistingFile) {
    testsupport::TempDir dir;
    {
        Program p(dir.path());
        p.center.start();
        p.center.sequencer().newItem();
        p.ui.saveChoices.push_back(dir.file("auto.MLS"));
        p.center.sequenceSaveAsAction();
        p.center.settings().AutoStartSequence = dir.file("missing.MLS");
        p.center.end();
    }
    {
        Program p(dir.path());
        p.center.start();
        EXPECT_FALSE(p.center.sequencer().playing());
        EXPECT_TRUE(p.op.messages.empty());
        p.center.settings().AutoStartSequence = dir.file("auto.MLS");
        p.center.end();
    }
    Program p(dir.path());
    p.center.start();
    EXPECT_FALSE(p.center.sequencer().playing()); // the port opens only when the window is shown
    EXPECT_EQ(p.center.sequencer().fileName(), dir.file("auto.MLS"));
    p.center.shown();
    EXPECT_TRUE(p.center.sequencer().playing());
    EXPECT_LT(p.devices.count("reopenPort 1"), 2); // opened once, before the first item
}

TEST(ControlCenter, UnattendedAPortThatDoesNotOpenIsReportedAndTriedAgainUntilPlaybackGoesOn) {
    testsupport::TempDir dir;
    testsupport::ScriptedOperator fileOp;
    mlc::SequenceItems items;
    items.push_back(mlc::NewSequenceItem()); // due 1 s after the start
    ASSERT_TRUE(mlc::saveSequenceFile(fileOp, dir.file("auto.MLS"), items));
    writeText(dir.file("mlcenter.INI"), "[Sequencer]\nAutoStartSequence=" + dir.file("auto.MLS") + "\n");
    Program p(dir.path());
    p.devices.portFailures = 2; // the adapter appears some seconds after the start
    p.center.start();
    p.center.shown();
    EXPECT_EQ(p.devices.failuresShown, 0);
    ASSERT_EQ(p.op.reports.size(), 1u);
    EXPECT_NE(p.op.reports[0].text.find("/dev/ttyUSB0"), std::string::npos);
    EXPECT_NE(p.op.reports[0].text.find("COM1 is tried again every 3 seconds"), std::string::npos);
    ASSERT_TRUE(p.center.sequencer().playing());
    p.later(2); // the item is due, but waits for the port
    EXPECT_EQ(p.devices.count("reopenPort 1"), 1);
    p.later(1.5); // tried again: the same failure is not reported again
    EXPECT_EQ(p.devices.count("reopenPort 1"), 2);
    EXPECT_EQ(p.op.reports.size(), 1u);
    EXPECT_EQ(p.devices.count("writeWall"), 0);
    p.later(3); // open: playback goes on
    EXPECT_EQ(p.devices.count("reopenPort 1"), 3);
    EXPECT_EQ(p.op.reports.back().text, "COM1 is open now.");
    EXPECT_EQ(p.devices.count("writeWall"), 1);
    EXPECT_TRUE(p.op.messages.empty());
}

TEST(ControlCenter, OpenChoosesByExtensionAndWritesALoadedWall) {
    testsupport::TempDir dir;
    testsupport::ScriptedOperator fileOp;
    mlc::WallSettings onDisk{};
    onDisk[3].Brightness = 333;
    ASSERT_TRUE(mlc::saveVideowallFile(fileOp, dir.file("scene.mlv"), onDisk));
    writeText(dir.file("fake.MLV"), "MLSF\0\0\0\0");
    writeText(dir.file("notes.txt"), "MLVF");

    Program p(dir.path());
    p.center.start();
    p.ui.openChoices = {dir.file("fake.MLV"), dir.file("notes.txt"), std::nullopt, dir.file("scene.mlv")};
    for (int i = 0; i < 3; ++i)
        p.center.openAction();
    EXPECT_EQ(p.devices.count("writeWall"), 0);
    EXPECT_TRUE(p.op.messages.empty());
    p.center.openAction();
    EXPECT_EQ(p.devices.count("writeWall"), 1);
    EXPECT_EQ(mlc::wallSettingsOf(p.center.wall().Monitors), onDisk);
    EXPECT_EQ(p.center.videowallFileName(), dir.file("scene.mlv"));
    EXPECT_EQ(p.center.caption().Caption, "Marlune Control Center - [Untitled - scene.mlv]");

    const mlc::FileDialogRequest& request = p.ui.requests.back();
    EXPECT_EQ(request.title, "Open file");
    EXPECT_EQ(request.filter, "All supported formats|*.MLV;*.MLS|Videowall settings (*.MLV)|*.MLV|Sequencer "
                              "timeline (*.MLS)|*.MLS");
    EXPECT_EQ(request.initialFolder, dir.path() + "/");
    EXPECT_EQ(p.ui.requests.front().proposedName, "");
    p.ui.openChoices = {std::nullopt};
    p.center.openAction();
    EXPECT_EQ(p.ui.requests.back().proposedName, dir.file("scene.mlv"));
}

TEST(ControlCenter, UnsavedChangesAreAskedAboutBeforeOpening) {
    testsupport::TempDir dir;
    testsupport::ScriptedOperator fileOp;
    ASSERT_TRUE(mlc::saveVideowallFile(fileOp, dir.file("a.MLV"), mlc::WallSettings{}));
    Program p(dir.path());
    p.center.start();
    p.center.wall().VideowallModified = true;
    p.ui.openChoices = {dir.file("a.MLV"), dir.file("a.MLV"), dir.file("a.MLV")};

    p.op.scriptAnswers({Answer::Cancel});
    p.center.openAction();
    EXPECT_TRUE(p.center.wall().VideowallModified);
    EXPECT_EQ(p.devices.count("writeWall"), 0);
    EXPECT_EQ(p.op.questions[0].text,
              "Current videowall settings have not been saved yet.\r\nSave them before proceeding?");
    EXPECT_EQ(p.op.questions[0].buttons, mlc::Buttons::YesNoCancel);

    // Yes runs the save action, whose dialog is cancelled here; the file loads anyway.
    p.op.scriptAnswers({Answer::Yes});
    p.center.openAction();
    EXPECT_EQ(p.ui.requests.back().title, "Save videowall to file");
    EXPECT_EQ(p.devices.count("writeWall"), 1);
    EXPECT_FALSE(p.center.wall().VideowallModified);

    p.center.sequencer().newItem();
    ASSERT_TRUE(p.center.sequencer().modified());
    p.ui.openChoices = {dir.file("missing.MLS")};
    p.op.scriptAnswers({Answer::No});
    p.center.openAction();
    EXPECT_EQ(p.op.questions.back().text,
              "Current sequence has not been saved yet.\r\nSave it before proceeding?");
    EXPECT_EQ(p.center.sequencer().items().size(), 1u); // a file that cannot be read changes nothing
}

TEST(ControlCenter, SavingAskedOnlyForAnExistingFileAndNoKeepsIt) {
    testsupport::TempDir dir;
    Program p(dir.path());
    p.center.start();
    p.center.wall().VideowallModified = true;
    p.ui.saveChoices = {dir.file("w.MLV")};
    p.center.videowallSaveAction();
    EXPECT_TRUE(p.op.questions.empty());
    EXPECT_FALSE(p.center.wall().VideowallModified);
    EXPECT_EQ(p.ui.requests.back().defaultExtension, "MLV");

    const auto saved = readAll(dir.file("w.MLV"));
    p.center.wall().Monitors.at(1, 1).Settings.Hue = 1;
    p.center.wall().VideowallModified = true;
    p.op.scriptAnswers({Answer::No});
    p.center.videowallSaveAction();
    EXPECT_EQ(p.op.questions.size(), 1u);
    EXPECT_TRUE(p.center.wall().VideowallModified);
    EXPECT_EQ(readAll(dir.file("w.MLV")), saved);
}

TEST(ControlCenter, TheCloseQueryAsksOnceForWhatChanged) {
    testsupport::TempDir dir;
    Program p(dir.path());
    p.center.start();
    EXPECT_TRUE(p.center.closeQuery());
    EXPECT_TRUE(p.op.questions.empty());

    p.center.wall().VideowallModified = true;
    p.center.sequencer().newItem();
    p.op.scriptAnswers({Answer::Cancel, Answer::No});
    EXPECT_FALSE(p.center.closeQuery());
    EXPECT_TRUE(p.center.closeQuery());
    EXPECT_EQ(p.op.questions[0].text,
              "Currently open files have not been saved yet.\r\nSave them before proceeding?");

    p.center.sequencer().togglePlay({0.5, 0.0});
    ASSERT_TRUE(p.center.sequencer().playing());
    p.op.scriptAnswers({Answer::No});
    EXPECT_FALSE(p.center.closeQuery());
    EXPECT_EQ(p.op.questions.back().text, "The sequencer is still running; quitting now will stop "
                                          "playing!\r\nAre you sure you want to proceed?");
    EXPECT_EQ(p.op.questions.back().icon, mlc::QuestionIcon::Warning);
}

TEST(ControlCenter, AddingAnItemFromAFileLeavesTheWallsFileAlone) {
    testsupport::TempDir dir;
    testsupport::ScriptedOperator fileOp;
    mlc::WallSettings item{};
    item[5].Hue = 55;
    ASSERT_TRUE(mlc::saveVideowallFile(fileOp, dir.file("item.MLV"), item));
    Program p(dir.path());
    p.center.start();
    p.ui.saveChoices = {dir.file("wall.MLV")};
    p.center.videowallSaveAction();
    p.center.wall().VideowallModified = true;
    const auto wallBefore = mlc::wallSettingsOf(p.center.wall().Monitors);

    p.ui.openChoices = {dir.file("item.MLV")};
    p.center.sequencer().addItem();
    ASSERT_EQ(p.center.sequencer().items().size(), 1u);
    EXPECT_EQ(p.center.sequencer().items()[0]->Settings, item);
    EXPECT_EQ(p.ui.requests.back().title, "Add item from file");
    EXPECT_EQ(p.ui.requests.back().proposedName, dir.file("wall.MLV"));
    EXPECT_EQ(p.center.videowallFileName(), dir.file("wall.MLV"));
    EXPECT_TRUE(p.center.wall().VideowallModified);
    EXPECT_EQ(mlc::wallSettingsOf(p.center.wall().Monitors), wallBefore);
    EXPECT_EQ(p.center.caption().Caption, "Marlune Control Center - [Untitled* - wall.MLV*]");
}

TEST(ControlCenter, UndoOfAnOpenedWallPutsBackItsMonitorsAndNameAndSendsThem) {
    testsupport::TempDir dir;
    testsupport::ScriptedOperator fileOp;
    mlc::WallSettings onDisk{};
    onDisk[0].Brightness = 1234;
    ASSERT_TRUE(mlc::saveVideowallFile(fileOp, dir.file("b&w.MLV"), onDisk));
    Program p(dir.path());
    p.center.start();
    p.center.shown();
    const int brightness = p.center.wall().Monitors.at(1, 1).Settings.Brightness;
    p.ui.openChoices = {dir.file("b&w.MLV")};
    p.center.openAction();
    EXPECT_EQ(p.center.history().undoName(), "open b&w.MLV");

    p.devices.exchangeRunning = true;
    EXPECT_FALSE(p.center.undo());
    EXPECT_EQ(p.op.reportTexts(), std::vector<std::string>{mlc::kExchangeBusyMessage});
    p.devices.exchangeRunning = false;

    ASSERT_TRUE(p.center.undo());
    EXPECT_EQ(p.center.wall().Monitors.at(1, 1).Settings.Brightness, brightness);
    // A Save now must not write the old wall over the file just opened.
    EXPECT_EQ(p.center.caption().Caption, "Marlune Control Center - [Untitled - Untitled*]");
    EXPECT_EQ(p.devices.count("writeWall"), 2);
    ASSERT_TRUE(p.center.redo());
    EXPECT_EQ(p.center.wall().Monitors.at(1, 1).Settings.Brightness, 1234);
    EXPECT_EQ(p.center.caption().Caption, "Marlune Control Center - [Untitled - b&w.MLV*]");
    EXPECT_EQ(p.devices.count("writeWall"), 3);

    // Another wall size starts a new history; the same size keeps it.
    p.center.ApplyConfiguration();
    EXPECT_TRUE(p.center.history().canUndo());
    p.center.wall().WallColumns = 4;
    p.center.ApplyConfiguration();
    EXPECT_FALSE(p.center.history().canUndo());
}

} // namespace
