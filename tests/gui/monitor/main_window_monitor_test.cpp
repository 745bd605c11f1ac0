// The settings dialogs as the main window opens them.
#include "dialogs/monitor_apply.h"
#include "grid/wall_grid_view.h"
#include "main_window_fixture.h"
#include "modal.h"
#include "monitor/value_slider.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

class WindowMonitor : public guitest::MainWindowFixture {
protected:
    QAction* editAction() { return window->findChild<QAction*>("EditSelectedACTN"); }
    static void press(QWidget* dialog, const char* button) {
        dialog->findChild<QAbstractButton*>(button)->click();
    }
};

TEST_F(WindowMonitor, OneCellOpensTheMonitorDialogABlockTheQuickMenu) {
    startEmulator("11,12,21,22");
    writeSettings("[Videowall]\nWidth=2\nHeight=2\n");
    mlgui::TMainFRM& w = openWindow();
    ASSERT_TRUE(op.messages.empty()) << op.messages[0].text;
    ASSERT_TRUE(editAction()->isEnabled());

    grid().setCurrentCell(2, 1);
    grid().setSelectionRect({2, 1, 2, 1});
    guitest::whenModalOpens("MonitorFRM", [](QWidget* dialog) {
        dialog->findChild<mlgui::ValueSlider*>("Brightness")->setValue(30);
        guitest::saveShot(dialog, "monitor-dialog-from-window");
        press(dialog, "OkBTN");
    });
    editAction()->trigger();
    EXPECT_EQ(w.center().wall().Monitors.at(2, 1).Settings.Brightness, 30000);
    EXPECT_NEAR(unitPercent(12, "op_BRIGHTNESS", "wnWIN_MAIN"), 30000, 500);
    EXPECT_NE(w.windowTitle().indexOf("*]"), -1) << w.windowTitle().toStdString();

    grid().setCurrentCell(1, 1);
    grid().setSelectionRect({1, 1, 2, 2});
    guitest::whenModalOpens("QuickMenuFRM", [](QWidget* dialog) {
        dialog->findChild<mlgui::ValueSlider*>("Contrast")->setValue(10);
        press(dialog, "OkBTN");
    });
    editAction()->trigger();
    for (int id : {11, 12, 21, 22})
        EXPECT_NEAR(unitPercent(id, "op_CONTRAST", "wnWIN_MAIN"), 10000, 500) << id;

    // A double-click on a monitor opens the dialog for that monitor.
    mlgui::WallGridView& view = grid();
    const QRect cell = view.visualRect(view.model()->index(1, 0)); // column 1, row 2
    bool opened = false;
    guitest::whenModalOpens("MonitorFRM", [&](QWidget* dialog) {
        opened = dialog->findChild<QWidget*>("ID")->property("text").toString() == "21";
        press(dialog, "CancelBTN");
    });
    // As with a real mouse, the first click of the two selects the cell.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(opened);
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;

    // Not while another exchange runs: a dialog would hold it until closed.
    bool openedWhileBusy = false;
    {
        auto running = w.devices().binding().Exchanges().tryEnter();
        QTimer::singleShot(0, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                openedWhileBusy = true;
                dialog->close();
            }
        });
        editAction()->trigger();
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(openedWhileBusy);
    ASSERT_EQ(op.reports.size(), 1u);
    EXPECT_EQ(op.reports[0].text, mlc::kExchangeBusyMessage);
}

} // namespace
