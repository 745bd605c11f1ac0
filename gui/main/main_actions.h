// The main window's action list: every command with its caption, hint (tool tip),
// shortcut and glyph. Menus, tool bars and context menus show these actions.
#pragma once

#include <QAction>

#include <array>
#include <vector>

namespace mlgui {

struct MainActions {
    // File
    QAction* NewACTN = nullptr;
    QAction* LoadACTN = nullptr;
    QAction* VideowallSaveACTN = nullptr;
    QAction* VideowallSaveAsACTN = nullptr;
    QAction* SequenceSaveACTN = nullptr;
    QAction* SequenceSaveAsACTN = nullptr;
    QAction* QuitACTN = nullptr;
    // Sequencer
    QAction* NewItemACTN = nullptr;
    QAction* AddItemACTN = nullptr;
    QAction* RemoveItemACTN = nullptr;
    QAction* MoveUpACTN = nullptr;
    QAction* MoveDownACTN = nullptr;
    QAction* EditItemDetailsACTN = nullptr;
    QAction* PlayACTN = nullptr;
    QAction* ExecuteItemACTN = nullptr;
    QAction* LoopSequenceACTN = nullptr;
    // Videowall
    QAction* UndoACTN = nullptr; // captions name the step: "&Undo paste special"
    QAction* RedoACTN = nullptr;
    QAction* AutonumerateRowColACTN = nullptr;
    QAction* AutonumerateSequentiallyACTN = nullptr;
    QAction* MemoryStoreACTN = nullptr;
    QAction* MemoryRecallACTN = nullptr;
    std::array<QAction*, 16> MemReadACTN{}; // MemRead1ACTN .. MemRead16ACTN, data() = memory number
    QAction* CopyVideowallACTN = nullptr;
    QAction* ClipboardCopyACTN = nullptr;
    QAction* ClipboardPasteACTN = nullptr;
    QAction* PasteSpecialACTN = nullptr;
    QAction* AutosetEnlargmentACTN = nullptr;
    QAction* GlobalPanACTN = nullptr;
    QAction* EditSelectedACTN = nullptr;
    QAction* ShowGridACTN = nullptr;
    QAction* ShowDeviceIdACTN = nullptr;
    QAction* ChangeMonitorIdACTN = nullptr;
    // Tools
    QAction* ShowSequencerACTN = nullptr;
    QAction* ShowRemoteACTN = nullptr;
    QAction* ResyncVideowallACTN = nullptr;
    QAction* SpecialFunctionsACTN = nullptr;
    QAction* PreferencesACTN = nullptr;
    QAction* TrafficACTN = nullptr;
    // Help
    QAction* AboutACTN = nullptr;
    // The reports kept since the start (status bar).
    QAction* MessageLogACTN = nullptr;
};

// Creates every action, owned by `owner` and added to it so that the shortcuts
// work wherever the focus is in the window.
MainActions createMainActions(QWidget* owner);

// The Sequencer menu's entries in order, nullptr standing for a separator; the
// sequencer panel's tool bar shows the same.
std::vector<QAction*> sequencerMenuEntries(const MainActions& actions);

} // namespace mlgui
