#include "history/history_controller.h"

#include "app/control_center.h"
#include "common/dialog_parts.h"

namespace mlgui {

namespace {

// "&Undo" alone, or followed by the step's name; an '&' in a file name stays one.
void name(QAction* action, const char* verb, const std::string& step) {
    QString caption = QString::fromLatin1(verb);
    if (!step.empty())
        caption += QLatin1Char(' ') + qt(step).replace(QLatin1Char('&'), QLatin1String("&&"));
    action->setText(caption);
    action->setEnabled(!step.empty());
}

} // namespace

HistoryController::HistoryController(const MainActions& actions, HistoryContext context)
    : actions_(actions), context_(context) {
    mlc::ControlCenter& center = context_.center;
    connect(actions.UndoACTN, &QAction::triggered, this, [&center] { center.undo(); });
    connect(actions.RedoACTN, &QAction::triggered, this, [&center] { center.redo(); });
    center.history().setChanged([this] { refresh(); });
    refresh();
}

HistoryController::~HistoryController() {
    context_.center.history().setChanged({});
}

void HistoryController::refresh() {
    const mlc::WallHistory& history = context_.center.history();
    name(actions_.UndoACTN, "&Undo", history.undoName());
    name(actions_.RedoACTN, "&Redo", history.redoName());
}

} // namespace mlgui
