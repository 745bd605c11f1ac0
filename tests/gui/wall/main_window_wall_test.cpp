// The wall actions and the sequencer panel as the main window carries them.
#include "main_window_fixture.h"
#include "modal.h"
#include "sequencer/sequence_file.h"
#include "sequencer/sequencer_panel.h"
#include "wall/wall_state.h"

#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

class WindowWall : public guitest::MainWindowFixture {
protected:
    QAction* action(const char* name) { return window->findChild<QAction*>(name); }
    // What is sent to all units is not answered: an answered exchange with one
    // unit makes sure the emulator has read it.
    void settle() {
        auto scope = window->devices().binding().Exchanges().tryEnter();
        window->devices().binding().SelectDevice(11);
    }
};

TEST_F(WindowWall, MemoryWriteAndAQuickRecallKeyReachTheUnits) {
    startEmulator("11,12");
    writeSettings("[Videowall]\nWidth=2\nHeight=1\n");
    mlgui::TMainFRM& w = openWindow();
    ASSERT_TRUE(op.messages.empty()) << op.messages[0].text;
    for (int c = 1; c <= 2; ++c)
        w.center().wall().Monitors.at(c, 1).Settings.Brightness = 20000;
    ASSERT_TRUE(w.devices().writeWall());

    w.findChild<QSpinBox*>("MemoryTOOL")->setValue(6);
    op.scriptAnswers({mlc::Answer::Yes});
    action("MemoryStoreACTN")->trigger();
    ASSERT_EQ(op.questions.size(), 1u);
    settle();
    ASSERT_NE(emu->state().find("unit 12 memory 6 op_BRIGHTNESS"), std::string::npos) << emu->state();
    for (int c = 1; c <= 2; ++c)
        w.center().wall().Monitors.at(c, 1).Settings.Brightness = 90000;
    ASSERT_TRUE(w.devices().writeWall());
    settle();
    EXPECT_GT(unitPercent(12, "op_BRIGHTNESS", "wnWIN_MAIN"), 85000);

    w.findChild<QSpinBox*>("MemoryTOOL")->setValue(1);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F6); // MemRead6ACTN
    EXPECT_EQ(w.findChild<QSpinBox*>("MemoryTOOL")->value(), 6);
    settle();
    EXPECT_LT(unitPercent(11, "op_BRIGHTNESS", "wnWIN_MAIN"), 25000);
    EXPECT_LT(unitPercent(12, "op_BRIGHTNESS", "wnWIN_MAIN"), 25000);
    EXPECT_EQ(w.center().caption().SyncStatus, "Sync: NEEDED");
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
}

TEST_F(WindowWall, APanningStepLeavesTheStatusBarAsTheWriteLeftTheWall) {
    startEmulator("11");
    writeSettings("[Videowall]\nWidth=1\nHeight=1\nMonitorID11=11\n");
    mlgui::TMainFRM& w = openWindow();
    ASSERT_EQ(w.center().caption().SyncStatus, "Sync: NEEDED");
    mlc::TMonitorSettings& s = w.center().wall().Monitors.at(1, 1).Settings;
    s.XZoom = 50.0;
    s.XPosition = 10.0;
    guitest::whenModalOpens("PanningFRM", [](QWidget* dialog) {
        dialog->findChild<QToolButton*>("PanLeftBTN")->click();
        dialog->findChild<QPushButton*>("CloseBTN")->click();
    });
    action("GlobalPanACTN")->trigger();
    EXPECT_DOUBLE_EQ(s.XPosition, 9.9);
    EXPECT_EQ(w.center().caption().SyncStatus, "Sync: OK");
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
}

TEST_F(WindowWall, AnAutoStartSequencePlaysFromStartUp) {
    startEmulator("11");
    mlc::SequenceItems items;
    items.push_back(mlc::NewSequenceItem());
    mlc::TSequenceItem& item = *items.back();
    item.Seconds = 1; // one second after the start
    for (auto& place : item.Settings)
        place.XZoom = place.YZoom = 100.0;
    item.Settings[mlc::placeIndex(1, 1)].Contrast = 90000;
    ASSERT_TRUE(mlc::saveSequenceFile(op, path("auto.MLS"), items));
    writeSettings("[Videowall]\nWidth=1\nHeight=1\n[Sequencer]\nAutoStartSequence=" + path("auto.MLS") +
                  "\n");

    mlgui::TMainFRM& w = openWindow();
    EXPECT_TRUE(action("PlayACTN")->isChecked());
    auto* panel = w.findChild<mlgui::SequencerPanel*>();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->timer()->isActive());
    EXPECT_EQ(panel->timeline()->model()->rowCount(), 1);
    EXPECT_EQ(panel->contextMenu(), w.findChild<QMenu*>("SequencerPOP"));
    // The window's entries for the Sequencer menu stay, each following its action.
    QAction* play = w.findChild<QMenu*>("SequencerPOP")->findChild<QAction*>("PlayACTN_");
    ASSERT_NE(play, nullptr);
    EXPECT_TRUE(w.findChild<QMenu*>("SequencerPOP")->actions().contains(play));
    EXPECT_TRUE(play->isChecked());
    guitest::saveShot(&w, "main-window-playing");

    clock += 1.0 / 86400.0;
    panel->tick();
    settle();
    EXPECT_GT(unitPercent(11, "op_CONTRAST", "wnWIN_MAIN"), 85000);
    EXPECT_EQ(w.center().caption().SyncStatus, "Sync: OK");
    EXPECT_FALSE(action("PlayACTN")->isChecked()); // one item, no loop: done
    EXPECT_FALSE(panel->timer()->isActive());
}

} // namespace
