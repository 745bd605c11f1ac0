// The preferences dialog on the offscreen platform: dependent controls, the
// colour dialog, the router button, and Auto detect against an emulated chain.
#include "binding/driver_binding.h"
#include "emulator_process.h"
#include "files/atomic_file.h"
#include "modal.h"
#include "paths.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "setup/preferences_form.h"
#include "test_timeouts.h"

#include <QAccessible>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

#include <memory>

using namespace mlc;

namespace {

class RecordingRouter : public VideoRouter {
public:
    bool SetDeviceUsage(std::uint8_t, bool) override { return true; }
    bool SetNewInput(std::uint8_t, std::uint8_t) override { return true; }
    bool CommitChanges() override { return true; }
    void ResyncVideowall() override {}
    int GetInputCount() override { return 0; }
    std::string GetInputName(int) override { return {}; }
    void ConfigurePlugin() override { ++configured; }
    int configured = 0;
};

class NoFileDialogs : public UserInterface {
public:
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override {
        requests.push_back(request.title + "|" + request.filter);
        return answer;
    }
    std::optional<std::string> chooseFileToSave(const FileDialogRequest&) override { return {}; }
    bool editItemDetails(ItemDetails&) override { return false; }
    std::vector<std::string> requests;
    std::optional<std::string> answer;
};

class PreferencesForm : public ::testing::Test {
protected:
    void open() {
        lists.InputSources.Names = {"Analog RGB 1", "Video 1"};
        settings.DemoImageFiles = {"", ""};
        services.autostartPath = dir.file("autostart/mlcenter.desktop");
        services.programPath = "/usr/bin/mlcenter";
        dialog = std::make_unique<mlgui::TPreferencesFRM>(mlgui::PreferencesContext{
            settings, model, lists, autodetect, router, ui, op, dir.path() + "/", services});
        dialog->show();
    }
    template <class T> T* find(const char* name) { return dialog->findChild<T*>(name); }

    testsupport::TempDir dir;
    testsupport::ScriptedOperator op;
    DriverBinding binding;
    ProgramSettings settings;
    WallModel model;
    MatchLists lists;
    RecordingRouter router;
    NoFileDialogs ui;
    PreferencesServices services;
    WallAutodetect autodetect{binding, settings, model, op};
    std::unique_ptr<mlgui::TPreferencesFRM> dialog;
};

QString accessibleText(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) + QLatin1Char('|') + face->text(QAccessible::Value)
                : QString();
}

TEST_F(PreferencesForm, ControlsFollowTheirSwitchesAndOkStoresThem) {
    testsupport::ScopedEnv ports("LVDRIVER_PORTS", dir.file("ttyA"));
    ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath("LVDRIVER.so"))) << binding.LoadError();
    open();
    EXPECT_EQ(dialog->windowTitle(), "Marlune Control Center - Preferences");
    EXPECT_EQ(find<QComboBox>("MonitorType")->currentIndex(), kCustomMonitorType);
    EXPECT_TRUE(find<QLineEdit>("HBorder")->isEnabled());
    find<QComboBox>("MonitorType")->setCurrentIndex(0);
    EXPECT_FALSE(find<QLineEdit>("HBorder")->isEnabled());
    EXPECT_EQ(find<QLineEdit>("VMonitor")->text(), "370.00");
    EXPECT_EQ(find<QLabel>("HBorderPercentage")->text(), "5.74%");
    EXPECT_EQ(find<QLabel>("VBorderPercentage")->text(), "7.30%");
    EXPECT_TRUE(accessibleText(find<QLabel>("HBorderPercentage")).contains("5.74%"));
    find<QCheckBox>("MarginCorrectionEnable")->setChecked(false);
    EXPECT_FALSE(find<QComboBox>("MonitorType")->isEnabled());

    auto* autodetectButton = find<QPushButton>("VideowallAutodetectBTN");
    find<QCheckBox>("InhibitTransmission")->setChecked(true);
    EXPECT_FALSE(autodetectButton->isEnabled());
    find<QCheckBox>("InhibitTransmission")->setChecked(false);
    EXPECT_TRUE(autodetectButton->isEnabled());

    EXPECT_FALSE(find<QLineEdit>("AutoRunSequence")->isEnabled());
    find<QCheckBox>("AutoRun")->setChecked(true);
    EXPECT_TRUE(find<QLineEdit>("AutoRunSequence")->isEnabled());
    ui.answer = "/walls/morning.MLS";
    find<QPushButton>("AutoRunSequenceBrowseBTN")->click();
    EXPECT_EQ(find<QLineEdit>("AutoRunSequence")->text(), "/walls/morning.MLS");

    EXPECT_FALSE(find<QPushButton>("RouterBTN")->isEnabled());
    find<QCheckBox>("UseVideoMatrix")->setChecked(true);
    find<QPushButton>("RouterBTN")->click();
    EXPECT_EQ(router.configured, 1);

    guitest::whenModalOpens([](QWidget* window) {
        auto* colours = qobject_cast<QColorDialog*>(window);
        ASSERT_NE(colours, nullptr);
        colours->setCurrentColor(QColor(0x12, 0x34, 0x56));
        colours->accept();
    });
    find<QPushButton>("IdBackgroundColor")->click();
    EXPECT_EQ(find<QCheckBox>("QuickSyncCHK")->text(), "Send only what changed (faster on large walls)");
    EXPECT_FALSE(find<QCheckBox>("VerifyWritesCHK")->isChecked());
    find<QCheckBox>("QuickSyncCHK")->setChecked(true);
    find<QCheckBox>("VerifyWritesCHK")->setChecked(true);
    guitest::saveShot(dialog.get(), "preferences");

    find<QPushButton>("OkBTN")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings.IdBackgroundColor, 0x563412);
    EXPECT_FALSE(model.EnableMarginCorrection);
    EXPECT_EQ(model.YMonitorSize, 370.0);
    EXPECT_TRUE(settings.ActivateVideoRouter);
    EXPECT_EQ(settings.AutoStartSequence, "/walls/morning.MLS");
    EXPECT_TRUE(settings.QuickSync && settings.VerifyWrites);
    EXPECT_FALSE(settings.CacheUnitRanges);
    EXPECT_TRUE(fileExists(services.autostartPath));
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(PreferencesForm, WithoutSerialPortsAutoDetectIsOffAndTheDialogSaysWhy) {
    open(); // no plug-in, no ports
    auto* autodetectButton = find<QPushButton>("VideowallAutodetectBTN");
    EXPECT_FALSE(autodetectButton->isEnabled());
    find<QCheckBox>("InhibitTransmission")->setChecked(true);
    find<QCheckBox>("InhibitTransmission")->setChecked(false);
    EXPECT_FALSE(autodetectButton->isEnabled());
    EXPECT_TRUE(find<QLabel>("NoPortLBL")->isVisible());
    EXPECT_EQ(find<QComboBox>("ComPort")->count(), 0);
    guitest::saveShot(dialog.get(), "preferences-no-port");
}

TEST_F(PreferencesForm, AutoDetectPutsTheShapeInTheBoxesAndTheIdsInTheWall) {
    testsupport::EmulatorProcess emu("3,5,20,31");
    testsupport::ScopedEnv ports("LVDRIVER_PORTS", emu.link());
    testsupport::ScopedEnv definitions("LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC"));
    testsupport::ScopedEnv scale("LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.05));
    ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath("LVDRIVER.so"))) << binding.LoadError();
    model.WallColumns = 12;
    model.WallRows = 14;
    open();
    EXPECT_EQ(find<QSpinBox>("Cols")->value(), 12);
    EXPECT_EQ(find<QSpinBox>("Rows")->value(), 14);
    // OK pressed while the units are probed is not taken.
    op.onPendingEvents = [this] { find<QPushButton>("OkBTN")->click(); };
    find<QPushButton>("VideowallAutodetectBTN")->click();
    op.onPendingEvents = nullptr;
    EXPECT_GT(op.pendingEventRuns, 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_EQ(find<QSpinBox>("Cols")->value(), 2);
    EXPECT_EQ(find<QSpinBox>("Rows")->value(), 2);
    EXPECT_EQ(model.Monitors.at(2, 1).DeviceId, 5);
    EXPECT_EQ(model.DeviceState.at(1, 2).DeviceId, 20);
    // Cancel keeps the IDs, not the size.
    find<QPushButton>("CancelBTN")->click();
    EXPECT_EQ(model.WallColumns, 12);
    EXPECT_EQ(model.Monitors.at(2, 2).DeviceId, 31);
    binding.CloseHardwarePort();
    binding.UnloadDriverLibrary();
}

} // namespace
