// Undo and Redo in the main window against an emulated 2 x 2 wall: every kind of
// step, taken back, leaves the units as they were before it, and done again as
// they were after it.
#include "files/wall_file.h"
#include "grid/wall_grid_view.h"
#include "main_window_fixture.h"
#include "modal.h"
#include "monitor/value_slider.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QSpinBox>

#include <functional>
#include <sstream>

namespace {

class UndoRedo : public guitest::MainWindowFixture {
protected:
    mlgui::TMainFRM& open() {
        startEmulator("11,12,21,22");
        writeSettings("[Videowall]\nWidth=2\nHeight=2\n");
        mlgui::TMainFRM& w = openWindow();
        for (int c = 1; c <= 2; ++c)
            for (int r = 1; r <= 2; ++r)
                w.center().wall().Monitors.at(c, r).Settings.Brightness = 20000 * c + 10000 * r;
        EXPECT_TRUE(w.devices().writeWall());
        return w;
    }
    // Every value every unit holds, once the units have read all that was sent.
    std::string unitValues() {
        {
            auto scope = window->devices().binding().Exchanges().tryEnter();
            window->devices().binding().SelectDevice(11); // answered: all before it was read
        }
        std::istringstream lines(emu->state());
        std::string values;
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("unit ", 0) == 0 && line.find(" value ") != std::string::npos)
                values += line + "\n";
        return values;
    }
    void select(const mlc::WallRect& rect) {
        grid().setSelectionRect(rect);
        grid().setCurrentCell(rect.Left, rect.Top);
    }
    void trigger(const char* action) { window->findChild<QAction*>(action)->trigger(); }
    static void click(QWidget* dialog, const char* button) {
        dialog->findChild<QAbstractButton*>(button)->click();
    }
    static void slide(QWidget* dialog, const char* slider, double value) {
        dialog->findChild<mlgui::ValueSlider*>(slider)->setValue(value);
    }
};

struct Kind {
    const char* name; // as Undo names it
    std::function<void()> edit;
    int steps = 1;
};

TEST_F(UndoRedo, EachKindOfStepPutsTheUnitsBackAndForth) {
    mlgui::TMainFRM& w = open();
    const mlgui::MainActions& a = w.actions();
    const std::string wallFile = path("other.MLV");
    mlc::WallSettings other = mlc::wallSettingsOf(w.center().wall().Monitors);
    for (auto& settings : other)
        settings.Contrast = 12000;
    ASSERT_TRUE(mlc::saveVideowallFile(op, wallFile, other));
    op.setDefaultAnswer(mlc::Answer::No); // Open asks to save the changed wall first

    const Kind kinds[] = {
        {"paste",
         [&] {
             select({1, 1, 1, 1});
             trigger("ClipboardCopyACTN");
             select({2, 2, 2, 2});
             trigger("ClipboardPasteACTN");
         }},
        {"paste special",
         [&] {
             select({2, 1, 2, 1});
             guitest::whenModalOpens("PasteSpecialFRM", [](QWidget* d) {
                 click(d, "AllBTN");
                 click(d, "OkBTN");
             });
             trigger("PasteSpecialACTN");
         }},
        {"column move", [&] { grid().horizontalHeader()->moveSection(0, 1); }},
        {"row move", [&] { grid().verticalHeader()->moveSection(1, 0); }},
        {"monitor settings",
         [&] {
             select({1, 2, 1, 2});
             guitest::whenModalOpens("MonitorFRM", [](QWidget* d) {
                 slide(d, "Brightness", 35);
                 click(d, "OkBTN");
             });
             trigger("EditSelectedACTN");
         }},
        {"monitor settings", // each Apply is a step
         [&] {
             guitest::whenModalOpens("MonitorFRM", [](QWidget* d) {
                 slide(d, "Contrast", 70);
                 click(d, "ApplyBTN");
                 slide(d, "Contrast", 20);
                 click(d, "ApplyBTN");
                 click(d, "CancelBTN");
             });
             trigger("EditSelectedACTN");
         },
         2},
        {"quick menu",
         [&] {
             select({1, 1, 2, 2});
             guitest::whenModalOpens("QuickMenuFRM", [](QWidget* d) {
                 slide(d, "Contrast", 10);
                 click(d, "OkBTN");
             });
             trigger("EditSelectedACTN");
         }},
        {"global panning", // both clicks one step
         [&] {
             select({1, 1, 1, 1});
             guitest::whenModalOpens("PanningFRM", [](QWidget* d) {
                 for (const char* arrow : {"PanRightBTN", "PanLeftBTN", "PanDownBTN", "PanUpBTN"})
                     if (d->findChild<QAbstractButton*>(arrow)->isEnabled()) {
                         click(d, arrow);
                         click(d, arrow);
                         break;
                     }
                 click(d, "CloseBTN");
             });
             trigger("GlobalPanACTN");
         }},
        {"autoset enlargment",
         [&] {
             select({1, 1, 2, 2});
             trigger("AutosetEnlargmentACTN");
         }},
        {"open other.MLV",
         [&] {
             dialogs.answer(wallFile);
             trigger("LoadACTN");
         }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const std::string before = unitValues();
        const std::size_t steps = w.center().history().undoCount();
        kind.edit();
        ASSERT_EQ(w.center().history().undoCount(), steps + static_cast<std::size_t>(kind.steps));
        EXPECT_EQ(a.UndoACTN->text().toStdString(), std::string("&Undo ") + kind.name);
        const std::string after = unitValues();
        ASSERT_NE(after, before);

        for (int n = 0; n < kind.steps; ++n)
            a.UndoACTN->trigger();
        EXPECT_EQ(unitValues(), before);
        EXPECT_EQ(a.RedoACTN->text().toStdString(), std::string("&Redo ") + kind.name);
        EXPECT_TRUE(w.center().wall().VideowallModified);
        for (int n = 0; n < kind.steps; ++n)
            a.RedoACTN->trigger();
        EXPECT_EQ(unitValues(), after);
        EXPECT_FALSE(a.RedoACTN->isEnabled());
    }
    EXPECT_EQ(w.center().caption().SyncStatus, "Sync: OK");
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
}

TEST_F(UndoRedo, StepsNotSentPutBackTheWallAlone) {
    mlgui::TMainFRM& w = open();
    mlc::WallModel& wall = w.center().wall();
    const auto ids = [&] {
        std::vector<int> all;
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 2; ++c)
                all.push_back(wall.Monitors.at(c, r).DeviceId);
        return all;
    };
    const int gamma = wall.Monitors.at(1, 1).Settings.Gamma;
    wall.Monitors.at(1, 1).Settings.Gamma = 7; // not sent: copy from videowall takes it back
    op.setDefaultAnswer(mlc::Answer::No);
    trigger("CopyVideowallACTN");
    EXPECT_EQ(wall.Monitors.at(1, 1).Settings.Gamma, gamma);
    trigger("AutonumerateSequentiallyACTN");
    select({2, 2, 2, 2});
    guitest::whenModalOpens("ChangeIdFRM", [](QWidget* d) {
        d->findChild<QSpinBox*>("IdSPIN")->setValue(9);
        click(d, "OkBTN");
    });
    trigger("ChangeMonitorIdACTN");
    EXPECT_EQ(ids(), (std::vector<int>{1, 2, 3, 9}));

    const std::size_t received = emu->logLines("dir=rx").size();
    trigger("UndoACTN");
    EXPECT_EQ(ids(), (std::vector<int>{1, 2, 3, 4}));
    trigger("UndoACTN");
    EXPECT_EQ(ids(), (std::vector<int>{11, 12, 21, 22}));
    trigger("UndoACTN");
    EXPECT_EQ(wall.Monitors.at(1, 1).Settings.Gamma, 7);
    EXPECT_EQ(emu->logLines("dir=rx").size(), received); // nothing went to the units
    trigger("RedoACTN");
    trigger("RedoACTN");
    EXPECT_EQ(ids(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(w.center().caption().SyncStatus, "Sync: NEEDED"); // other units answer now
}

TEST_F(UndoRedo, RefusedDuringAnExchangeAndClearedByResyncAndNew) {
    mlgui::TMainFRM& w = open();
    const mlgui::MainActions& a = w.actions();
    EXPECT_FALSE(a.UndoACTN->isEnabled());
    EXPECT_EQ(a.UndoACTN->text(), "&Undo");
    select({1, 1, 1, 1});
    trigger("AutosetEnlargmentACTN");
    ASSERT_TRUE(a.UndoACTN->isEnabled());
    bool undone = true;
    bool tried = false;
    op.onPendingEvents = [&] {
        if (!tried)
            undone = w.center().undo();
        tried = true;
    };
    trigger("ClipboardCopyACTN");
    trigger("ClipboardPasteACTN"); // the same: a wall write that lets events through
    EXPECT_FALSE(undone);
    EXPECT_EQ(op.reportTexts().back(), mlc::kExchangeBusyMessage);
    EXPECT_EQ(w.center().history().undoCount(), 1u); // the paste changed nothing

    trigger("ResyncVideowallACTN");
    EXPECT_FALSE(a.UndoACTN->isEnabled());
    trigger("AutonumerateSequentiallyACTN");
    guitest::whenModalOpens("WizardFRM", [](QWidget* d) { click(d, "CancelBTN"); });
    trigger("NewACTN");
    EXPECT_FALSE(a.UndoACTN->isEnabled());
    EXPECT_FALSE(a.RedoACTN->isEnabled());
}

} // namespace
