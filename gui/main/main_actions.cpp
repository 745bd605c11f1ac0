#include "main/main_actions.h"

#include <QIcon>
#include <QWidget>

namespace mlgui {

namespace {

struct ActionSpec {
    QAction* MainActions::*member;
    const char* name;
    const char* caption;
    const char* hint;
    const char* shortcut; // empty: none; several are separated by "; "
    const char* glyph;    // file in :/icons/ without ".svg"; empty: none
    bool checkable;
};

// clang-format off
const ActionSpec kActions[] = {
    {&MainActions::NewACTN, "NewACTN", "&New", "New videowall / sequence", "Ctrl+N", "new", false},
    {&MainActions::LoadACTN, "LoadACTN", "&Open...", "Load a videowall file or a sequence file", "Ctrl+O", "open", false},
    {&MainActions::VideowallSaveACTN, "VideowallSaveACTN", "&Save videowall", "Save the videowall to a file", "Ctrl+S", "save-wall", false},
    {&MainActions::VideowallSaveAsACTN, "VideowallSaveAsACTN", "Save videowall &as...", "Save the videowall to a new file", "", "save-wall-as", false},
    {&MainActions::SequenceSaveACTN, "SequenceSaveACTN", "Save s&equence", "Save the sequence to file", "Ctrl+Alt+S", "save-sequence", false},
    {&MainActions::SequenceSaveAsACTN, "SequenceSaveAsACTN", "Sa&ve sequence as...", "Save the sequence to a new file", "", "save-sequence-as", false},
    {&MainActions::QuitACTN, "QuitACTN", "E&xit", "Quit", "Alt+F4", "exit", false},
    {&MainActions::NewItemACTN, "NewItemACTN", "&New item", "Create a new sequence item copying currently loaded videowall", "Ctrl+Alt+N", "new-item", false},
    {&MainActions::AddItemACTN, "AddItemACTN", "&Add item", "Add an item to the sequence from file", "Ctrl+A", "add-item", false},
    {&MainActions::RemoveItemACTN, "RemoveItemACTN", "&Remove item", "Remove an item from the sequence", "Ctrl+R", "remove-item", false},
    {&MainActions::MoveUpACTN, "MoveUpACTN", "Move &up", "Move selected items one step up", "Ctrl+U", "move-up", false},
    {&MainActions::MoveDownACTN, "MoveDownACTN", "Move &down", "Move selected items one step down", "Ctrl+D", "move-down", false},
    {&MainActions::EditItemDetailsACTN, "EditItemDetailsACTN", "Edi&t general item details", "Edit name and execution time of the selected item", "", "item-details", false},
    {&MainActions::PlayACTN, "PlayACTN", "&Play sequence", "Play the sequence", "Ctrl+P", "play", true},
    {&MainActions::ExecuteItemACTN, "ExecuteItemACTN", "E&xecute item", "Execute selected effect", "Ctrl+X", "execute-item", false},
    {&MainActions::LoopSequenceACTN, "LoopSequenceACTN", "&Loop sequence", "Enable / disable sequence looping", "Ctrl+L", "loop", true},
    {&MainActions::UndoACTN, "UndoACTN", "&Undo", "Undo the last change of the videowall", "Ctrl+Z", "undo", false},
    {&MainActions::RedoACTN, "RedoACTN", "&Redo", "Redo the change undone last", "Ctrl+Y; Ctrl+Shift+Z", "redo", false},
    {&MainActions::AutonumerateRowColACTN, "AutonumerateRowColACTN", "By &row and column", "Autonumerate devices by row and column", "", "number-row-column", false},
    {&MainActions::AutonumerateSequentiallyACTN, "AutonumerateSequentiallyACTN", "&Sequentially", "Autonumerate devices sequentially", "", "number-sequential", false},
    {&MainActions::MemoryStoreACTN, "MemoryStoreACTN", "Memory &write", "Store currently displayed videowall into selected device memory", "Ctrl+W", "memory-write", false},
    {&MainActions::MemoryRecallACTN, "MemoryRecallACTN", "&Memory read", "Recall a given videowall setting from selected device memory", "Ctrl+M", "memory-read", false},
    {&MainActions::CopyVideowallACTN, "CopyVideowallACTN", "Copy from video&wall", "Copy PC's Shadow RAM into PC's workspace", "Ctrl+Alt+W", "copy-from-wall", false},
    {&MainActions::ClipboardCopyACTN, "ClipboardCopyACTN", "&Copy", "Copy selected portion of videowall workspace", "Ctrl+C", "copy", false},
    {&MainActions::ClipboardPasteACTN, "ClipboardPasteACTN", "&Paste", "Paste previously copied videowall workspace portion", "Ctrl+V", "paste", false},
    {&MainActions::PasteSpecialACTN, "PasteSpecialACTN", "Paste &Special", "Paste special", "Ctrl+Alt+V", "paste-special", false},
    {&MainActions::AutosetEnlargmentACTN, "AutosetEnlargmentACTN", "Autoset &enlargment", "Autoset enlargment for selected monitors", "Ctrl+E", "autoset", false},
    {&MainActions::GlobalPanACTN, "GlobalPanACTN", "Global pa&nning", "Fine pan selected monitors", "Ctrl+Alt+G", "global-pan", false},
    {&MainActions::EditSelectedACTN, "EditSelectedACTN", "Edi&t selected monitors", "Open the appropriate window to edit the selected monitor(s)", "F9", "edit-monitors", false},
    {&MainActions::ShowGridACTN, "ShowGridACTN", "Show &grid", "Show/hide grid", "Ctrl+G", "show-grid", true},
    {&MainActions::ShowDeviceIdACTN, "ShowDeviceIdACTN", "Show device &ID", "Show/hide device ID", "Ctrl+I", "show-id", true},
    {&MainActions::ChangeMonitorIdACTN, "ChangeMonitorIdACTN", "C&hange monitor ID", "Change workspace monitor ID", "Ctrl+H", "change-id", false},
    {&MainActions::ShowSequencerACTN, "ShowSequencerACTN", "Show se&quencer", "Show/hide sequencer", "Ctrl+Alt+Q", "show-sequencer", true},
    {&MainActions::ShowRemoteACTN, "ShowRemoteACTN", "Virtual &remote control", "Show virtual remote control", "Ctrl+Alt+R", "remote", false},
    {&MainActions::ResyncVideowallACTN, "ResyncVideowallACTN", "Res&ync hardware and software", "Download current ext. videowall settings into PC's Shadow RAM", "Ctrl+Alt+Y", "resync", false},
    {&MainActions::SpecialFunctionsACTN, "SpecialFunctionsACTN", "Special &functions", "Special functions", "Ctrl+Alt+F", "special-functions", false},
    {&MainActions::PreferencesACTN, "PreferencesACTN", "&Preferences", "Preferences", "Ctrl+Alt+P", "preferences", false},
    {&MainActions::TrafficACTN, "TrafficACTN", "Serial &traffic", "Show the serial traffic and the state of each unit", "Ctrl+Alt+T", "traffic", false},
    {&MainActions::AboutACTN, "AboutACTN", "A&bout", "About", "Ctrl+B", "about", false},
    {&MainActions::MessageLogACTN, "MessageLogACTN", "Message &log", "Show the messages reported while nobody was watching", "Ctrl+Alt+L", "message-log", false},
};
// clang-format on

QAction* makeAction(QWidget* owner, const char* name, const QString& caption, const QString& hint,
                    const QString& shortcut, const char* glyphName, bool checkable) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    action->setCheckable(checkable);
    if (!shortcut.isEmpty())
        action->setShortcuts(QKeySequence::listFromString(shortcut));
    if (*glyphName)
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(glyphName))));
    owner->addAction(action);
    return action;
}

} // namespace

MainActions createMainActions(QWidget* owner) {
    MainActions actions;
    for (const ActionSpec& spec : kActions)
        actions.*spec.member =
            makeAction(owner, spec.name, QString::fromLatin1(spec.caption), QString::fromLatin1(spec.hint),
                       QString::fromLatin1(spec.shortcut), spec.glyph, spec.checkable);
    for (int n = 1; n <= 16; ++n) {
        const QString shortcut =
            (n <= 8 ? QStringLiteral("F%1") : QStringLiteral("Shift+F%1")).arg(n <= 8 ? n : n - 8);
        const QByteArray name = QStringLiteral("MemRead%1ACTN").arg(n).toLatin1();
        QAction* action =
            makeAction(owner, name.constData(), QStringLiteral("Recall memory &%1").arg(n),
                       QStringLiteral("Quickly recall ext. videowall memory %1").arg(n), shortcut, "", false);
        action->setData(n);
        actions.MemReadACTN[static_cast<std::size_t>(n - 1)] = action;
    }
    return actions;
}

std::vector<QAction*> sequencerMenuEntries(const MainActions& a) {
    return {a.NewItemACTN,     a.AddItemACTN,  nullptr,           a.RemoveItemACTN,
            a.MoveUpACTN,      a.MoveDownACTN, nullptr,           a.PlayACTN,
            a.ExecuteItemACTN, nullptr,        a.LoopSequenceACTN};
}

} // namespace mlgui
