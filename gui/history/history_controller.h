// Undo and Redo of the wall's edits. The core keeps the steps (its WallHistory,
// recorded where the wall is edited) and takes them back or does them again; this
// area triggers that and keeps the two actions' captions and states in line with
// the history: enabled only when there is a step, named after it ("&Undo paste").
#pragma once

#include "main/main_actions.h"

#include <QObject>

namespace mlc {
class ControlCenter;
}

namespace mlgui {

struct HistoryContext {
    mlc::ControlCenter& center; // undo(), redo() and the history
};

class HistoryController : public QObject {
    Q_OBJECT
public:
    HistoryController(const MainActions& actions, HistoryContext context);
    ~HistoryController() override;

private:
    void refresh();

    const MainActions& actions_;
    HistoryContext context_;
};

} // namespace mlgui
