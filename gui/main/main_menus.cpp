// The main window's menus, context menus, tool bars and status bar.
#include "main/main_form.h"
#include "main/tool_bar_flow.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace mlgui {

namespace {

QMenu* addMenu(QMenuBar* bar, const char* name, const char* title) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(title));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* addSubmenu(QMenu* parent, const char* name, const char* title) {
    QMenu* menu = parent->addMenu(QString::fromLatin1(title));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

// Adds the actions in order; nullptr stands for a separator.
void addEntries(QWidget* target, const std::vector<QAction*>& actions) {
    for (QAction* action : actions) {
        if (action)
            target->addAction(action);
        else if (auto* menu = qobject_cast<QMenu*>(target))
            menu->addSeparator();
        else if (auto* bar = qobject_cast<QToolBar*>(target))
            bar->addSeparator();
    }
}

// A context-menu entry standing for a menu entry: named like it with "_"
// appended, showing its caption, state and glyph, and triggering it. It carries
// no shortcut of its own (the original has it; two would make both ambiguous),
// but shows the original's.
QAction* entryCopy(QAction* original, QObject* owner) {
    auto* copy = new QAction(owner);
    copy->setObjectName(original->objectName() + QLatin1Char('_'));
    const auto follow = [copy, original] {
        QString text = original->text();
        if (!original->shortcut().isEmpty())
            text += QLatin1Char('\t') + original->shortcut().toString(QKeySequence::NativeText);
        copy->setText(text);
        copy->setToolTip(original->toolTip());
        copy->setIcon(original->icon());
        copy->setEnabled(original->isEnabled());
        copy->setVisible(original->isVisible());
        copy->setCheckable(original->isCheckable());
        copy->setChecked(original->isChecked());
    };
    follow();
    QObject::connect(original, &QAction::changed, copy, follow);
    QObject::connect(copy, &QAction::triggered, original, [original] { original->trigger(); });
    return copy;
}

// Every entry of a menu that has no submenu, separators included (but one where
// leaving the submenus out would put two together).
void copyEntries(const QMenu* from, QMenu* to) {
    for (QAction* entry : from->actions()) {
        if (entry->menu())
            continue;
        if (!entry->isSeparator())
            to->addAction(entryCopy(entry, to));
        else if (to->actions().isEmpty() || !to->actions().back()->isSeparator())
            to->addSeparator();
    }
}

QToolBar* addBar(QMainWindow* window, const char* name, const char* title) {
    QToolBar* bar = window->addToolBar(QString::fromLatin1(title));
    bar->setObjectName(QString::fromLatin1(name));
    bar->setIconSize(QSize(24, 24));
    bar->setFloatable(false);
    return bar;
}

// Tool buttons are named after their action: "NewACTN" gives "NewTOOL".
void nameToolButtons(QToolBar* bar) {
    for (QAction* action : bar->actions()) {
        if (QWidget* button = bar->widgetForAction(action);
            button && !action->isSeparator() && action->objectName().endsWith(QLatin1String("ACTN"))) {
            button->setObjectName(action->objectName().chopped(4) + QStringLiteral("TOOL"));
            button->setAccessibleName(action->text().remove(QLatin1Char('&')));
        }
    }
}

} // namespace

void TMainFRM::buildMenus() {
    MainActions& a = actions_;
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMENU"));

    addEntries(addMenu(bar, "FileSUB", "&File"),
               {a.NewACTN, a.LoadACTN, nullptr, a.VideowallSaveACTN, a.VideowallSaveAsACTN, nullptr,
                a.SequenceSaveACTN, a.SequenceSaveAsACTN, nullptr, a.QuitACTN});
    QMenu* sequencer = addMenu(bar, "SequencerSUB", "&Sequencer");
    addEntries(sequencer, sequencerMenuEntries(a));
    QMenu* videowall = addMenu(bar, "VideowallSUB", "&Videowall");
    addEntries(videowall, {a.UndoACTN, a.RedoACTN, nullptr});
    addEntries(addSubmenu(videowall, "AutoconfigIdsSUB", "Autoconfig device I&Ds..."),
               {a.AutonumerateRowColACTN, a.AutonumerateSequentiallyACTN});
    addEntries(addSubmenu(videowall, "DeviceMemorySUB", "Device memor&y..."),
               {a.MemoryStoreACTN, a.MemoryRecallACTN});
    addEntries(videowall,
               {nullptr, a.CopyVideowallACTN, a.ClipboardCopyACTN, a.ClipboardPasteACTN, a.PasteSpecialACTN,
                nullptr, a.AutosetEnlargmentACTN, a.GlobalPanACTN, a.EditSelectedACTN, nullptr,
                a.ShowGridACTN, a.ShowDeviceIdACTN, a.ChangeMonitorIdACTN});
    addEntries(addMenu(bar, "ToolsSUB", "&Tools"),
               {a.ShowSequencerACTN, a.ShowRemoteACTN, a.ResyncVideowallACTN, a.SpecialFunctionsACTN,
                a.TrafficACTN, nullptr, a.PreferencesACTN});
    addEntries(addMenu(bar, "HelpSUB", "&Help"), {a.AboutACTN});

    videowallPopup_ = new QMenu(this);
    videowallPopup_->setObjectName(QStringLiteral("VideowallPOP"));
    copyEntries(videowall, videowallPopup_);
    sequencerPopup_ = new QMenu(this);
    sequencerPopup_->setObjectName(QStringLiteral("SequencerPOP"));
    copyEntries(sequencer, sequencerPopup_);
}

void TMainFRM::buildToolBars() {
    MainActions& a = actions_;
    // ToolControls: five flat tool bars across the top.
    QToolBar* file = addBar(this, "FileBAR", "File");
    addEntries(file, {a.NewACTN, a.LoadACTN, a.VideowallSaveACTN, a.VideowallSaveAsACTN, a.SequenceSaveACTN,
                      a.SequenceSaveAsACTN});
    QToolBar* videowall = addBar(this, "VideowallBAR", "Videowall");
    addEntries(videowall,
               {a.UndoACTN, a.RedoACTN, nullptr, a.CopyVideowallACTN, a.ClipboardCopyACTN,
                a.ClipboardPasteACTN, a.PasteSpecialACTN, nullptr, a.AutosetEnlargmentACTN, a.GlobalPanACTN,
                a.EditSelectedACTN, nullptr, a.ShowGridACTN, a.ShowDeviceIdACTN, a.ChangeMonitorIdACTN});
    QToolBar* memory = addBar(this, "MemoryBAR", "Memory");
    addEntries(memory, {a.MemoryStoreACTN, a.MemoryRecallACTN});
    memoryTool_ = new QSpinBox(memory);
    memoryTool_->setObjectName(QStringLiteral("MemoryTOOL"));
    memoryTool_->setAccessibleName(QStringLiteral("Memory number"));
    memoryTool_->setToolTip(QStringLiteral("Memory number for store/recall"));
    memoryTool_->setRange(1, 16);
    memoryTool_->setValue(1);
    memory->addWidget(memoryTool_);
    QToolBar* tools = addBar(this, "ToolsBAR", "Tools");
    addEntries(tools, {a.ShowRemoteACTN, a.PreferencesACTN, a.ShowSequencerACTN, a.ResyncVideowallACTN,
                       a.SpecialFunctionsACTN, a.TrafficACTN});
    specialFunctionsTool_ = qobject_cast<QToolButton*>(tools->widgetForAction(a.SpecialFunctionsACTN));
    QToolBar* help = addBar(this, "HelpBAR", "Help");
    addEntries(help, {a.AboutACTN});
    for (QToolBar* bar : {file, videowall, memory, tools, help})
        nameToolButtons(bar);
    new ToolBarFlow(*this, {file, videowall, memory, tools, help});
}

void TMainFRM::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBAR"));
    // A panel's text is what assistive technology reads (a QLabel's accessible
    // name is its text); the description says what the panel is for.
    const auto panel = [bar](const char* name, const char* purpose, int width) {
        auto* label = new QLabel(bar);
        label->setObjectName(QString::fromLatin1(name));
        label->setAccessibleDescription(QString::fromLatin1(purpose));
        label->setFixedWidth(width);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(label);
        return label;
    };
    syncPanel_ = panel("SyncPANEL", "Synchronisation state", 100);
    linkPanel_ = panel("LinkPANEL", "Serial link state", 100);
    // The third panel counts the reports not yet read and opens the message log.
    messagesPanel_ = new QToolButton(bar);
    messagesPanel_->setObjectName(QStringLiteral("MessagesPANEL"));
    messagesPanel_->setToolTip(actions_.MessageLogACTN->toolTip());
    messagesPanel_->setIcon(actions_.MessageLogACTN->icon());
    connect(messagesPanel_, &QToolButton::clicked, actions_.MessageLogACTN, &QAction::trigger);
    messagesPanel_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    messagesPanel_->setAutoRaise(true);
    messagesPanel_->setIconSize(QSize(16, 16));
    messagesPanel_->setFixedWidth(50);
    bar->addWidget(messagesPanel_);
    reportLabel_ = new QLabel(bar);
    reportLabel_->setObjectName(QStringLiteral("ReportLBL"));
    reportLabel_->setAccessibleDescription(QStringLiteral("Last report"));
    reportLabel_->setTextFormat(Qt::PlainText);
    bar->addWidget(reportLabel_, 1);
}

} // namespace mlgui
