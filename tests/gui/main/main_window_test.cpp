// The main window as a whole: start and end, its actions, menus and status bar.
#include "common/message_log.h"
#include "grid/wall_grid_view.h"
#include "main_window_fixture.h"
#include "modal.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>

namespace {

class MainWindow : public guitest::MainWindowFixture {};

QStringList entryNames(const QMenu* menu) {
    QStringList names;
    for (const QAction* entry : menu->actions())
        names << (entry->isSeparator() ? QStringLiteral("-")
                  : entry->menu()      ? entry->menu()->objectName()
                                       : entry->objectName());
    return names;
}

TEST_F(MainWindow, StartsOnTheSettingsShowsTheWallAndWritesItsFilesAtTheEnd) {
    writeSettings("[Videowall]\nWidth=40\nHeight=0\n");
    mlgui::TMainFRM& w = openWindow();
    guitest::saveShot(&w, "main-window-16x1");

    EXPECT_EQ(w.windowTitle(), "Marlune Control Center - [Untitled - Untitled]");
    EXPECT_EQ(w.findChild<QLabel*>("SyncPANEL")->text(), "Sync: NEEDED");
    EXPECT_EQ(w.findChild<QLabel*>("LinkPANEL")->text(), "Serial link: ON");
    // The wall size is clamped; without lastused.MLV the whole wall is enlarged and selected.
    EXPECT_EQ(grid().model()->columnCount(), 16);
    EXPECT_EQ(grid().model()->rowCount(), 1);
    EXPECT_EQ(grid().selectionRect().Right, 16);
    EXPECT_GT(w.center().wall().Monitors.at(2, 1).Settings.XPosition, 0.0);
    // No chain: the port failure was the driver's one message.
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_NE(op.messages[0].text.find("ERROR ($01)"), std::string::npos);

    closeWindow();
    for (const char* file : {"lastused.MLV", "lastused.MLS", "lastused.MLD", "mlcenter.INI"})
        EXPECT_TRUE(std::filesystem::exists(path(file))) << file;
}

TEST_F(MainWindow, HasEveryMenuEntryInOrderAndContextMenusCopyingThem) {
    mlgui::TMainFRM& w = openWindow();
    const QMenuBar* bar = w.findChild<QMenuBar*>("MainMENU");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(entryNames(w.findChild<QMenu*>("FileSUB")),
              QStringList({"NewACTN", "LoadACTN", "-", "VideowallSaveACTN", "VideowallSaveAsACTN", "-",
                           "SequenceSaveACTN", "SequenceSaveAsACTN", "-", "QuitACTN"}));
    EXPECT_EQ(entryNames(w.findChild<QMenu*>("VideowallSUB")),
              QStringList({"UndoACTN", "RedoACTN", "-", "AutoconfigIdsSUB", "DeviceMemorySUB", "-",
                           "CopyVideowallACTN", "ClipboardCopyACTN", "ClipboardPasteACTN", "PasteSpecialACTN",
                           "-", "AutosetEnlargmentACTN", "GlobalPanACTN", "EditSelectedACTN", "-",
                           "ShowGridACTN", "ShowDeviceIdACTN", "ChangeMonitorIdACTN"}));
    EXPECT_EQ(entryNames(w.findChild<QMenu*>("VideowallPOP")),
              QStringList({"UndoACTN_", "RedoACTN_", "-", "CopyVideowallACTN_", "ClipboardCopyACTN_",
                           "ClipboardPasteACTN_", "PasteSpecialACTN_", "-", "AutosetEnlargmentACTN_",
                           "GlobalPanACTN_", "EditSelectedACTN_", "-", "ShowGridACTN_", "ShowDeviceIdACTN_",
                           "ChangeMonitorIdACTN_"}));
    EXPECT_EQ(w.findChild<QMenu*>("SequencerPOP")->actions().size(),
              w.findChild<QMenu*>("SequencerSUB")->actions().size());

    // A copy follows its action and triggers it.
    QAction* copy = w.findChild<QMenu*>("VideowallPOP")->findChild<QAction*>("ShowGridACTN_");
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->isChecked());
    copy->trigger();
    EXPECT_FALSE(w.actions().ShowGridACTN->isChecked());
    EXPECT_FALSE(copy->isChecked());
    EXPECT_FALSE(w.center().settings().DisplayGrid);

    // Hints, shortcuts and the quick-recall keys.
    EXPECT_EQ(w.actions().SequenceSaveACTN->toolTip(), "Save the sequence to file");
    EXPECT_EQ(w.actions().SequenceSaveACTN->shortcut(), QKeySequence("Ctrl+Alt+S"));
    EXPECT_EQ(w.actions().MemReadACTN[8]->objectName(), "MemRead9ACTN");
    EXPECT_EQ(w.actions().MemReadACTN[8]->shortcut(), QKeySequence("Shift+F1"));
    EXPECT_EQ(w.findChild<QSpinBox*>("MemoryTOOL")->maximum(), 16);
    for (const char* name : {"ToolsBAR", "FileBAR", "HelpBAR", "VideowallBAR", "MemoryBAR"})
        EXPECT_NE(w.findChild<QToolBar*>(name), nullptr) << name;
    EXPECT_NE(w.findChild<QToolButton*>("SpecialFunctionsTOOL"), nullptr);
    EXPECT_EQ(w.findChild<QWidget*>("LeftPNL")->maximumWidth(), 316);
}

TEST_F(MainWindow, ReportsGoToTheStatusBarAndTheMessageLogWithoutWaiting) {
    mlgui::TMainFRM& w = openWindow();
    const auto questionsBefore = op.questions.size();
    w.op().report(mlc::MessageKind::Warning, "Item 2 could not be sent.\r\nPlayback goes on.");
    EXPECT_TRUE(
        w.findChild<QLabel*>("ReportLBL")->text().endsWith("Item 2 could not be sent. Playback goes on."));
    EXPECT_EQ(w.findChild<QToolButton*>("MessagesPANEL")->text(), "1");
    ASSERT_EQ(w.findChild<mlgui::MessageLog*>()->entries().size(), 1u);
    EXPECT_EQ(op.questions.size(), questionsBefore);

    w.actions().MessageLogACTN->trigger();
    auto* log = w.findChild<QDialog*>("MessageLogFRM");
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->isVisible());
    EXPECT_FALSE(log->isModal());
    EXPECT_EQ(log->findChild<QListWidget*>("MessagesLST")->count(), 1);
    EXPECT_EQ(w.findChild<QToolButton*>("MessagesPANEL")->text(), "0");
}

TEST_F(MainWindow, StatusBarPanelsTellAssistiveTechnologyWhatTheyShow) {
    mlgui::TMainFRM& w = openWindow();
    w.center().settings().InhibitSerialCommunication = true;
    w.UpdateCaption();
    w.op().report(mlc::MessageKind::Warning, "Item 2 could not be sent.");
    EXPECT_EQ(w.findChild<QLabel*>("LinkPANEL")->text(), "Serial link: OFF");
    const auto accessibleText = [](QWidget* widget) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(QAccessible::Name) + '|' + face->text(QAccessible::Value) : QString();
    };
    for (const char* name : {"SyncPANEL", "LinkPANEL", "ReportLBL"}) {
        auto* panel = w.findChild<QLabel*>(name);
        EXPECT_TRUE(accessibleText(panel).contains(panel->text())) << name;
    }
    EXPECT_TRUE(accessibleText(w.findChild<QToolButton*>("MessagesPANEL")).contains("Message log, 1 unread"));
}

TEST_F(MainWindow, AboutBoxShowsOurTitlePictures) {
    mlgui::TMainFRM& w = openWindow();
    guitest::whenModalOpens("AboutFRM", [](QWidget* about) {
        guitest::saveShot(about, "about");
        EXPECT_EQ(about->windowTitle(), "Marlune Control Center - About");
        const auto pictures = about->findChildren<QSvgWidget*>();
        ASSERT_EQ(pictures.size(), 2);
        for (QSvgWidget* picture : pictures)
            EXPECT_TRUE(picture->renderer()->isValid()) << picture->objectName().toStdString();
        about->findChild<QPushButton*>("OkBTN")->click();
    });
    w.actions().AboutACTN->trigger();
}

TEST_F(MainWindow, WhileTheProgressWindowIsUpCloseWaitsAndFileAndSetupActionsAreOff) {
    startEmulator("1-2");
    writeSettings("[Videowall]\nWidth=2\nHeight=1\nMonitorID11=1\nMonitorID12=2\n");
    mlgui::TMainFRM& w = openWindow();
    w.actions().PreferencesACTN->setEnabled(true); // as the preferences area will have it
    bool closedDuringWrite = true;
    QList<bool> enabledDuringWrite;
    op.onPendingEvents = [&] {
        if (!enabledDuringWrite.isEmpty())
            return;
        for (QAction* a : {w.actions().PreferencesACTN, w.actions().NewACTN, w.actions().LoadACTN,
                           w.actions().QuitACTN, w.actions().VideowallSaveACTN})
            enabledDuringWrite << a->isEnabled();
        closedDuringWrite = w.close();
    };
    grid().horizontalHeader()->moveSection(0, 1); // a wall write with its progress window
    EXPECT_EQ(enabledDuringWrite, QList<bool>({false, false, false, false, true}));
    EXPECT_FALSE(closedDuringWrite);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.actions().PreferencesACTN->isEnabled());
    EXPECT_TRUE(w.actions().LoadACTN->isEnabled());

    op.setDefaultAnswer(mlc::Answer::No); // do not save the moved wall
    QCoreApplication::processEvents();    // the close request comes back once the write ended
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(op.questions.size(), 1u);
}

} // namespace
