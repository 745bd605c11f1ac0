// New, Preferences and the start-up wizard in the main window, against an
// emulated chain of six units on COM1.
#include "grid/wall_grid_view.h"
#include "main_window_fixture.h"
#include "modal.h"
#include "scoped_env.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>

namespace {

class SetupActions : public guitest::MainWindowFixture {
protected:
    template <class T> static T* child(QWidget* form, const char* name) { return form->findChild<T*>(name); }
    static void press(QWidget* form, const char* button) { child<QPushButton>(form, button)->click(); }
    static void cancelWizardWhenItOpens(bool& opened) {
        guitest::whenModalOpens("WizardFRM", [&opened](QWidget* wizard) {
            opened = true;
            press(wizard, "CancelBTN");
        });
    }

    testsupport::ScopedEnv config{"XDG_CONFIG_HOME", dir.file("config")};
};

TEST_F(SetupActions, NewRunsTheWizardAndFinishSendsOnePictureOverTheWall) {
    startEmulator("1-6");
    mlgui::TMainFRM& w = openWindow();
    ASSERT_TRUE(w.actions().NewACTN->isEnabled());
    bool finished = false;
    guitest::whenModalOpens("WizardFRM", [&](QWidget* wizard) {
        press(wizard, "NextBTN");
        press(wizard, "NextBTN"); // detection on COM1: 3 x 2, kept horizontal
        press(wizard, "NextBTN");
        press(wizard, "NextBTN");
        auto* combo = child<QComboBox>(wizard, "Combo");
        combo->setCurrentIndex(combo->count() - 1); // 3 x 2
        press(wizard, "NextBTN");
        finished = true;
    });
    w.actions().NewACTN->trigger();
    ASSERT_TRUE(finished);
    // The window's own Copy ran, so its Paste is possible now.
    EXPECT_TRUE(w.actions().ClipboardPasteACTN->isEnabled());
    EXPECT_EQ(w.center().wall().WallColumns, 3);
    EXPECT_EQ(w.center().wall().WallRows, 2);
    EXPECT_EQ(grid().model()->columnCount(), 3);
    EXPECT_EQ(w.center().wall().Monitors.at(3, 2).DeviceId, 6);
    EXPECT_EQ(unitPercent(1, "op_IP_MISC_HPAN"), 0);
    EXPECT_EQ(unitPercent(3, "op_IP_MISC_HPAN"), 100000);
    EXPECT_EQ(unitPercent(6, "op_IP_MISC_VPAN"), 100000);
    EXPECT_EQ(unitPercent(2, "op_IP_MISC_HZOOM"), unitPercent(5, "op_IP_MISC_HZOOM"));
}

TEST_F(SetupActions, TheWizardOpensOnFirstActivationWhenAsked) {
    std::ofstream(path("mlcenter.INI")) << "[General]\nRunWizardAtStartup=1\n";
    bool opened = false;
    cancelWizardWhenItOpens(opened);
    mlgui::TMainFRM& w = openWindow();
    QApplication::setActiveWindow(&w);
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened; }, 20000));
}

// A device exchange at that moment (an auto-started item) defers the wizard instead
// of dropping it.
TEST_F(SetupActions, TheStartUpWizardWaitsForARunningExchange) {
    std::ofstream(path("mlcenter.INI")) << "[General]\nRunWizardAtStartup=1\n";
    bool opened = false;
    cancelWizardWhenItOpens(opened);
    mlgui::TMainFRM& w = openWindow();
    w.op().progressOpened();
    QApplication::setActiveWindow(&w);
    QCoreApplication::processEvents(); // the activation's deferred step runs
    EXPECT_FALSE(opened);
    w.op().progressClosed();
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened; }, 20000));
}

TEST_F(SetupActions, PreferencesApplyTheConfigurationWhateverClosesThem) {
    mlgui::TMainFRM& w = openWindow();
    guitest::whenModalOpens("PreferencesFRM", [&](QWidget* dialog) {
        child<QSpinBox>(dialog, "Cols")->setValue(3);
        child<QSpinBox>(dialog, "Rows")->setValue(2);
        child<QCheckBox>(dialog, "UseVideoMatrix")->setChecked(true);
        guitest::whenModalOpens("RouterConfigurationFRM", [](QWidget* box) {
            EXPECT_TRUE(qobject_cast<QMessageBox*>(box)->text().startsWith("No video matrix is attached."));
            guitest::pressMessageBoxButton(box, "OK");
        });
        press(dialog, "RouterBTN");
        press(dialog, "OkBTN");
    });
    w.actions().PreferencesACTN->trigger();
    EXPECT_EQ(grid().model()->columnCount(), 3);
    EXPECT_EQ(grid().model()->rowCount(), 2);
    EXPECT_TRUE(w.center().settings().ActivateVideoRouter);

    // Cancel stores nothing but still reopens the port.
    const std::size_t opensBefore = op.messages.size();
    guitest::whenModalOpens("PreferencesFRM", [&](QWidget* dialog) {
        child<QSpinBox>(dialog, "Cols")->setValue(5);
        press(dialog, "CancelBTN");
    });
    w.actions().PreferencesACTN->trigger();
    EXPECT_EQ(w.center().wall().WallColumns, 3);
    // COM1 names nothing here: each configuration says so once.
    EXPECT_EQ(op.messages.size(), opensBefore + 1);
}

} // namespace
