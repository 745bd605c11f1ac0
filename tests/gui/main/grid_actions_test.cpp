// The grid's actions in the window: moving columns on an emulated chain, changing an ID.
#include "grid/wall_grid_view.h"
#include "main_window_fixture.h"
#include "modal.h"

#include <QHeaderView>
#include <QPushButton>
#include <QSpinBox>

namespace {

class GridActions : public guitest::MainWindowFixture {};

TEST_F(GridActions, MovingAColumnMovesTheSettingsToTheUnitsAndLeavesTheIds) {
    startEmulator("1-4");
    writeSettings(
        "[Videowall]\nWidth=4\nHeight=1\nMonitorID11=1\nMonitorID12=2\nMonitorID13=3\nMonitorID14=4\n");
    mlgui::TMainFRM& w = openWindow();
    for (int c = 1; c <= 4; ++c)
        w.center().wall().Monitors.at(c, 1).Settings.Brightness = c * 10000;
    ASSERT_TRUE(op.messages.empty()) << op.messages[0].text;

    // Dropping the number of column 1 at the third place.
    grid().horizontalHeader()->moveSection(0, 2);

    const int expected[] = {20000, 30000, 10000, 40000};
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(w.center().wall().Monitors.at(c, 1).Settings.Brightness, expected[c - 1]) << c;
        EXPECT_EQ(w.center().wall().Monitors.at(c, 1).DeviceId, c);
        EXPECT_EQ(grid().horizontalHeader()->logicalIndex(c - 1), c - 1); // numbers back in order
    }
    EXPECT_TRUE(w.center().wall().VideowallModified);
    EXPECT_EQ(w.windowTitle(), "Marlune Control Center - [Untitled - Untitled*]");
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
    // The units keep the value in their own range: it reads back within a step.
    for (int id = 1; id <= 4; ++id)
        EXPECT_NEAR(unitPercent(id, "op_BRIGHTNESS", "wnWIN_MAIN"), expected[id - 1], 500) << "unit " << id;
}

TEST_F(GridActions, ChangingAnIdToItsOwnValueKeepsTheMonitorSynced) {
    writeSettings("[Videowall]\nWidth=2\nHeight=2\n");
    mlgui::TMainFRM& w = openWindow();
    grid().setSelectionRect({2, 1, 2, 1});
    grid().setCurrentCell(2, 1);
    w.UpdateCaption();
    ASSERT_TRUE(w.actions().ChangeMonitorIdACTN->isEnabled());
    w.center().wall().Monitors.at(2, 1).Synced = true;

    guitest::whenModalOpens("ChangeIdFRM", [](QWidget* dialog) {
        guitest::saveShot(dialog, "change-id");
        EXPECT_EQ(dialog->findChild<QSpinBox*>("IdSPIN")->text(), "12");
        dialog->findChild<QPushButton*>("OkBTN")->click();
    });
    w.actions().ChangeMonitorIdACTN->trigger();
    EXPECT_TRUE(w.center().wall().Monitors.at(2, 1).Synced);

    guitest::whenModalOpens("ChangeIdFRM", [](QWidget* dialog) {
        dialog->findChild<QSpinBox*>("IdSPIN")->setValue(7);
        dialog->findChild<QPushButton*>("OkBTN")->click();
    });
    w.actions().ChangeMonitorIdACTN->trigger();
    EXPECT_EQ(w.center().wall().Monitors.at(2, 1).DeviceId, 7);
    EXPECT_EQ(w.center().wall().DeviceState.at(2, 1).DeviceId, 7);
    EXPECT_FALSE(w.center().wall().Monitors.at(2, 1).Synced);

    grid().setSelectionRect({1, 1, 2, 1});
    EXPECT_FALSE(w.actions().ChangeMonitorIdACTN->isEnabled());
}

TEST_F(GridActions, OkOnAnIdBeyondTheSpinBoxRangeKeepsIt) {
    writeSettings("[Videowall]\nWidth=2\nHeight=1\nMonitorID12=150\n");
    mlgui::TMainFRM& w = openWindow();
    grid().setSelectionRect({2, 1, 2, 1});
    grid().setCurrentCell(2, 1);
    guitest::whenModalOpens("ChangeIdFRM",
                            [](QWidget* dialog) { dialog->findChild<QPushButton*>("OkBTN")->click(); });
    w.actions().ChangeMonitorIdACTN->trigger();
    EXPECT_EQ(w.center().wall().Monitors.at(2, 1).DeviceId, 150);
}

} // namespace
