// The wizard on the offscreen platform against an emulated chain of six units:
// the buttons are pressed as an operator would, the messages go to a scripted
// operator, and Finish sends the wall through the real plug-in.
#include "binding/driver_binding.h"
#include "emulator_process.h"
#include "modal.h"
#include "paths.h"
#include "router/video_router.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "setup/wizard_form.h"
#include "sync/device_sync.h"
#include "sync/match_list_loading.h"
#include "test_timeouts.h"
#include "wall/wall_state.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace mlc;

namespace {

// Notes whether the wizard is on screen when the progress window opens and when a
// message is shown.
class WatchingOperator : public testsupport::ScriptedOperator {
public:
    void showMessage(MessageKind kind, const std::string& text) override {
        seen.push_back((wizardShown() ? "shown: " : "hidden: ") + text);
        ScriptedOperator::showMessage(kind, text);
    }
    void progressOpened() override {
        seen.push_back(wizardShown() ? "shown: progress" : "hidden: progress");
        ScriptedOperator::progressOpened();
    }
    std::function<bool()> wizardShown = [] { return false; };
    std::vector<std::string> seen;
};

class WizardForm : public ::testing::Test {
protected:
    void SetUp() override {
        emu = std::make_unique<testsupport::EmulatorProcess>("1-6");
        ports.emplace("LVDRIVER_PORTS", emu->link() + ":" + dir.file("two") + ":" + dir.file("three"));
        ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath("LVDRIVER.so"))) << binding.LoadError();
        ASSERT_EQ(binding.OpenHardwarePort(1), 0);
        ASSERT_TRUE(LoadMatchLists(binding, lists, op));
        model.DefaultSettings = FactoryDefaultSettings(lists);
        InitialiseWall(model);
        wizard = std::make_unique<mlgui::TWizardFRM>(mlgui::WizardContext{
            model, settings, lists, autodetect, op,
            WizardFinishSteps{[this] {
                                  binding.CloseHardwarePort();
                                  binding.OpenHardwarePort(settings.SerialPortNumber);
                                  sync.ConfigureRouter();
                              },
                              [this](const WallRect& block) { AutosetEnlargement(model, block); },
                              [](const WallRect&) {}, [this](const WallRect&) { sync.WriteWall(); }}});
        wizard->show();
        op.wizardShown = [this] { return wizard->isVisible(); };
    }
    void TearDown() override {
        wizard.reset();
        binding.CloseHardwarePort();
        binding.UnloadDriverLibrary();
    }
    template <class T> T* find(const char* name) { return wizard->findChild<T*>(name); }
    void press(const char* button) { find<QPushButton>(button)->click(); }
    QComboBox* combo() { return find<QComboBox>("Combo"); }
    // To the measurements page; the units form 3 x 2 and stay horizontal.
    void detect() {
        press("NextBTN");
        EXPECT_EQ(combo()->count(), 3);
        EXPECT_EQ(combo()->currentText(), "COM1");
        op.scriptAnswers({Answer::No});
        press("NextBTN");
        ASSERT_EQ(wizard->flow().page().step, 3);
    }
    // The units' value lines for one operation, by unit.
    std::map<int, std::string> unitValues(const std::string& operation) {
        std::map<int, std::string> values;
        std::istringstream lines(emu->state());
        for (std::string line; std::getline(lines, line);)
            if (line.find(" value " + operation + " ") != std::string::npos)
                values[std::stoi(line.substr(5))] = testsupport::fieldOf(line, "percent");
        return values;
    }

    testsupport::TempDir dir;
    testsupport::ScopedEnv definitions{"LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")};
    testsupport::ScopedEnv scale{"LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.05)};
    std::optional<testsupport::ScopedEnv> ports;
    std::unique_ptr<testsupport::EmulatorProcess> emu;
    WatchingOperator op;
    DriverBinding binding;
    MatrixSwRouter router;
    MatchLists lists;
    WallModel model;
    ProgramSettings settings;
    SyncOptions options;
    DeviceSync sync{model, lists, binding, router, op, options};
    WallAutodetect autodetect{binding, settings, model, op};
    std::unique_ptr<mlgui::TWizardFRM> wizard;
};

TEST_F(WizardForm, FinishMakesTheWholeWallOnePicture) {
    ASSERT_EQ(wizard->windowTitle(), "Marlune Control Center - Configuration wizard");
    EXPECT_FALSE(find<QPushButton>("PrevBTN")->isEnabled());
    EXPECT_TRUE(find<QLabel>("InfoLBL")->text().startsWith("Welcome to Marlune Control Center"));
    detect();
    // Out of the way while the units are probed, back before the count is told.
    EXPECT_EQ(op.seen, (std::vector<std::string>{"hidden: progress", "shown: 6 Marlune devices found"}));
    EXPECT_TRUE(find<QLineEdit>("VMonitor")->isEnabled());
    guitest::saveShot(wizard.get(), "wizard-measures");

    // A height of 0 is refused, and the detection runs again on the same port.
    find<QLineEdit>("VMonitor")->setText("0");
    op.scriptAnswers({Answer::No});
    press("NextBTN");
    ASSERT_EQ(op.messages.size(), 3u);
    EXPECT_EQ(op.messages[1].text, kMeasurementError);
    EXPECT_EQ(op.messages[2].text, "6 Marlune devices found");
    EXPECT_EQ(wizard->flow().page().step, 3);
    EXPECT_EQ(find<QLineEdit>("VMonitor")->text(), "370.00");

    combo()->setCurrentIndex(0);
    EXPECT_FALSE(find<QLineEdit>("HMonitor")->isEnabled());
    EXPECT_EQ(find<QLineEdit>("HMonitor")->text(), "470.00");
    press("NextBTN");
    EXPECT_EQ(combo()->currentIndex(), 0);
    EXPECT_EQ(combo()->count(), static_cast<int>(lists.InputSources.Names.size()));
    press("NextBTN");
    QStringList items;
    for (int i = 0; i < combo()->count(); ++i)
        items << combo()->itemText(i);
    EXPECT_EQ(items, QStringList({"1 x 1", "2 x 1", "3 x 1", "1 x 2", "2 x 2", "3 x 2"}));
    EXPECT_EQ(find<QPushButton>("NextBTN")->text(), "Fi&nish");
    guitest::saveShot(wizard.get(), "wizard-enlargement");
    combo()->setCurrentIndex(5);
    press("NextBTN");

    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(settings.SerialPortNumber, 1);
    EXPECT_EQ(model.WallColumns, 3);
    EXPECT_EQ(model.WallRows, 2);
    EXPECT_EQ(model.Monitors.at(3, 2).DeviceId, 6);
    EXPECT_EQ(model.XMonitorSize, 470.0);
    // One picture over six units: the corners pan to opposite ends.
    binding.SelectDevice(1); // the broadcast queue execution has arrived
    const auto hpan = unitValues("op_IP_MISC_HPAN");
    const auto vpan = unitValues("op_IP_MISC_VPAN");
    EXPECT_EQ(hpan.at(1), "0");
    EXPECT_EQ(hpan.at(3), "100000");
    EXPECT_EQ(hpan.at(4), "0");
    EXPECT_EQ(vpan.at(1), "0");
    EXPECT_EQ(vpan.at(6), "100000");
}

TEST_F(WizardForm, CancelOnTheLastPageChangesNothing) {
    const WallModel before = model;
    const ProgramSettings settingsBefore = settings;
    detect();
    press("NextBTN");
    press("NextBTN");
    ASSERT_EQ(wizard->flow().page().step, 5);
    press("CancelBTN");
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    EXPECT_EQ(model.WallColumns, before.WallColumns);
    EXPECT_EQ(model.WallRows, before.WallRows);
    EXPECT_EQ(model.XMarginSize, before.XMarginSize);
    for (int column = 1; column <= kMaxColumns; ++column)
        for (int row = 1; row <= kMaxRows; ++row) {
            EXPECT_EQ(model.Monitors.at(column, row).DeviceId, before.Monitors.at(column, row).DeviceId);
            EXPECT_EQ(model.Monitors.at(column, row).Settings, before.Monitors.at(column, row).Settings);
        }
    EXPECT_EQ(settings.SerialPortNumber, settingsBefore.SerialPortNumber);
    EXPECT_EQ(settings.InhibitSerialCommunication, settingsBefore.InhibitSerialCommunication);
}

} // namespace
