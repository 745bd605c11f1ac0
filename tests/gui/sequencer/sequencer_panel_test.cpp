#include "sequencer/sequencer_panel.h"

#include "../wall/emulated_wall.h"
#include "files/wall_file.h"
#include "main/main_actions.h"
#include "modal.h"
#include "scripted_operator.h"
#include "sequencer/item_details_dialog.h"
#include "sequencer/sequencer_controller.h"
#include "sequencer/timeline_model.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <deque>

namespace {

// Both clocks, `seconds` after noon.
mlc::ClockReading noonPlus(double seconds) {
    return {0.5 + seconds / 86400.0, seconds};
}

// The details dialog gives each new item the next details of a list, then cancels.
class NamingDialogs : public mlc::SequencerDialogs {
public:
    std::optional<std::string> chooseWallFileToAdd() override { return std::nullopt; }
    bool editItemDetails(mlc::ItemDetails& details) override {
        if (next.empty())
            return false;
        details = next.front();
        next.pop_front();
        return true;
    }
    std::deque<mlc::ItemDetails> next;
};

mlc::ItemDetails named(const std::string& name, int seconds = 1) {
    return {name, 0, 0, seconds, mlc::FromLastEvent};
}

// The sequencer's area as the main window has it: the actions, the panel's place
// and the timeline's menu.
struct SequencerArea {
    explicit SequencerArea(mlc::Sequencer& sequencer, std::function<mlc::ClockReading()> clock) {
        new QVBoxLayout(&place);
        controller = std::make_unique<mlgui::SequencerController>(
            actions, mlgui::SequencerContext{sequencer, std::move(clock), place, menu});
    }
    QAction* action(const char* name) { return window.findChild<QAction*>(name); }
    mlgui::SequencerPanel& panel() { return controller->panel(); }

    QWidget window;
    mlgui::MainActions actions = mlgui::createMainActions(&window);
    QWidget place;
    QMenu menu;
    std::unique_ptr<mlgui::SequencerController> controller;
};

QStringList texts(const QListView* view) {
    QStringList lines;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        lines << view->model()->index(row, 0).data().toString();
    return lines;
}

class Timeline : public ::testing::Test {
protected:
    QAction* action(const char* name) { return area.action(name); }

    testsupport::ScriptedOperator op;
    NamingDialogs dialogs;
    double seconds = 0.0;
    mlc::Sequencer sequencer{op, dialogs,
                             mlc::SequencerHooks{[] { return mlc::WallSettings{}; },
                                                 [](const mlc::WallSettings&) {}, [] { return true; },
                                                 nullptr, nullptr, [this] { return noonPlus(seconds); },
                                                 nullptr, nullptr}};
    SequencerArea area{sequencer, [this] { return noonPlus(seconds); }};
};

TEST_F(Timeline, LinesSelectionMovesAndTheBoldLine) {
    mlgui::SequencerPanel& panel = area.panel();
    dialogs.next = {named("Morning"), named(""), named("Evening")};
    for (int i = 0; i < 3; ++i)
        action("NewItemACTN")->trigger();
    QListView* view = panel.timeline();
    EXPECT_EQ(texts(view),
              (QStringList{"00:00:01 L - Morning", "00:00:01 L - Sequence step #2", "00:00:01 L - Evening"}));
    EXPECT_EQ(panel.findChild<QLabel*>("ItemsCount")->text().toStdString(), "3");
    EXPECT_TRUE(view->selectionModel()->selectedRows().empty()); // confirming the details rebuilt the list
    EXPECT_FALSE(action("MoveDownACTN")->isEnabled());

    // Select the last two lines as the operator would, then move them up.
    area.place.resize(300, 400);
    area.place.show();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(1, 0)).center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      view->visualRect(view->model()->index(2, 0)).center());
    EXPECT_EQ(sequencer.selectedCount(), 2);
    EXPECT_TRUE(action("MoveUpACTN")->isEnabled());
    EXPECT_FALSE(action("ExecuteItemACTN")->isEnabled());
    action("MoveUpACTN")->trigger();
    EXPECT_EQ(texts(view),
              (QStringList{"00:00:01 L - Sequence step #2", "00:00:01 L - Evening", "00:00:01 L - Morning"}));
    EXPECT_TRUE(view->selectionModel()->isRowSelected(0, {}));
    EXPECT_TRUE(view->selectionModel()->isRowSelected(1, {}));
    EXPECT_FALSE(action("MoveUpACTN")->isEnabled());

    // Playing fires the first line at once (due one second after the start: not yet).
    action("PlayACTN")->trigger();
    EXPECT_TRUE(action("PlayACTN")->isChecked());
    EXPECT_TRUE(panel.timer()->isActive());
    seconds += 1;
    panel.tick();
    EXPECT_TRUE(view->model()->index(0, 0).data(mlgui::TimelineModel::LastFiredRole).toBool());
    EXPECT_FALSE(view->model()->index(1, 0).data(mlgui::TimelineModel::LastFiredRole).toBool());
    EXPECT_EQ(panel.findChild<QLabel*>("StartTME")->text().toStdString(), "00:00:01");
    EXPECT_EQ(panel.findChild<QLabel*>("LastTME")->text().toStdString(), "00:00:01"); // as the tick began
    EXPECT_EQ(panel.findChild<QLabel*>("MidnightTME")->text().toStdString(), "12:00:01");
    guitest::saveShot(&panel, "sequencer-panel");

    // The tool bar carries the Sequencer menu's entries.
    QStringList entries;
    for (QAction* a : panel.toolBar()->actions())
        entries << (a->isSeparator() ? "-" : a->objectName());
    EXPECT_EQ(entries,
              (QStringList{"NewItemACTN", "AddItemACTN", "-", "RemoveItemACTN", "MoveUpACTN", "MoveDownACTN",
                           "-", "PlayACTN", "ExecuteItemACTN", "-", "LoopSequenceACTN"}));

    // Emptying the timeline stops playback.
    view->selectAll();
    op.scriptAnswers({mlc::Answer::Yes});
    action("RemoveItemACTN")->trigger();
    EXPECT_EQ(panel.findChild<QLabel*>("ItemsCount")->text().toStdString(), "0");
    EXPECT_FALSE(action("PlayACTN")->isChecked());
    EXPECT_FALSE(action("PlayACTN")->isEnabled());
    EXPECT_FALSE(panel.timer()->isActive());
    EXPECT_EQ(panel.findChild<QLabel*>("StartTME")->text().toStdString(), "00:00:01"); // left as they were
}

TEST_F(Timeline, LoopIsACheckedStateOfTheCore) {
    EXPECT_FALSE(action("LoopSequenceACTN")->isChecked());
    action("LoopSequenceACTN")->trigger();
    EXPECT_TRUE(sequencer.loop());
    EXPECT_TRUE(action("LoopSequenceACTN")->isChecked());
    action("PlayACTN")->trigger(); // nothing to play
    EXPECT_FALSE(action("PlayACTN")->isChecked());
}

TEST(ItemDetailsDialog, ShowsAndReturnsTheDetails) {
    mlc::ItemDetails details{"Noon", 1, 2, 3, 7}; // a mode outside the list: no choice
    guitest::whenModalOpens("ItemDetailsFRM", [](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Marlune Control Center - Item details");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("ItemName")->text().toStdString(), "Noon");
        EXPECT_EQ(dialog->findChild<QSpinBox*>("HH")->text().toStdString(), "01");
        EXPECT_EQ(dialog->findChild<QSpinBox*>("HH")->maximum(), 99);
        EXPECT_EQ(dialog->findChild<QSpinBox*>("SS")->maximum(), 59);
        auto* mode = dialog->findChild<QComboBox*>("TimeMode");
        EXPECT_EQ(mode->currentIndex(), -1);
        EXPECT_EQ(mode->itemText(2), "the execution of the Last event");
        dialog->findChild<QLineEdit*>("ItemName")->setText("Later");
        dialog->findChild<QSpinBox*>("MM")->setValue(59);
        mode->setCurrentIndex(1);
        guitest::saveShot(dialog, "item-details");
        dialog->findChild<QPushButton*>("OkBTN")->click();
    });
    ASSERT_TRUE(mlgui::TItemDetailsFRM::edit(details, nullptr));
    EXPECT_EQ(details.name, "Later");
    EXPECT_EQ(details.minutes, 59);
    EXPECT_EQ(details.mode, 1);

    guitest::whenModalOpens("ItemDetailsFRM",
                            [](QWidget* dialog) { dialog->findChild<QPushButton*>("CancelBTN")->click(); });
    EXPECT_FALSE(mlgui::TItemDetailsFRM::edit(details, nullptr));
    EXPECT_EQ(details.name, "Later");
}

// Playback with a driven clock: two items reach the emulated units at their times.
class Playback : public EmulatedWall {};

TEST_F(Playback, ATwoItemSequenceReachesTheUnitsAndStops) {
    start("11", 1, 1);
    if (HasFatalFailure())
        return;
    double seconds = 0.0;
    NamingDialogs dialogs;
    mlc::Sequencer sequencer{
        op, dialogs,
        mlc::SequencerHooks{[this] { return mlc::wallSettingsOf(model.Monitors); },
                            [this](const mlc::WallSettings& s) { mlc::applyWallSettings(s, model.Monitors); },
                            [this] { return sync.WriteWall(); }, nullptr, nullptr,
                            [&seconds] { return noonPlus(seconds); }, nullptr, nullptr}};
    SequencerArea area{sequencer, [&seconds] { return noonPlus(seconds); }};
    mlgui::SequencerPanel& panel = area.panel();

    // Item 1 at once, item 2 two seconds after it.
    dialogs.next = {named("dim", 0), named("bright", 2)};
    model.Monitors.at(1, 1).Settings.Brightness = 10000;
    area.action("NewItemACTN")->trigger();
    model.Monitors.at(1, 1).Settings.Brightness = 90000;
    area.action("NewItemACTN")->trigger();
    ASSERT_EQ(sequencer.items().size(), 2u);

    area.action("PlayACTN")->trigger();
    settle(11);
    EXPECT_LT(percent(11, "op_BRIGHTNESS"), 15000);
    EXPECT_TRUE(panel.timer()->isActive());

    seconds += 1;
    panel.tick();
    settle(11);
    EXPECT_LT(percent(11, "op_BRIGHTNESS"), 15000);
    seconds += 1;
    panel.tick();
    settle(11);
    EXPECT_GT(percent(11, "op_BRIGHTNESS"), 85000);
    EXPECT_FALSE(area.action("PlayACTN")->isChecked()); // the last item, no loop
    EXPECT_FALSE(panel.timer()->isActive());
    EXPECT_EQ(panel.findChild<QLabel*>("LastTME")->text().toStdString(), "00:00:02"); // as the tick began
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
}

} // namespace
