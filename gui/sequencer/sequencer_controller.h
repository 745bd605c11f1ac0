// The sequencer area: the panel in the window's left side, the Sequencer menu's
// actions with their enabled and checked states, the item details on a
// double-click, and Show sequencer.
#pragma once

#include "main/main_actions.h"
#include "sequencer/clock_reading.h"
#include "sequencer/sequencer.h"

#include <QObject>

#include <functional>

class QMenu;

namespace mlgui {

class SequencerPanel;

struct SequencerContext {
    mlc::Sequencer& sequencer;
    std::function<mlc::ClockReading()> clock; // both clocks, read at each tick and at Play
    QWidget& area;                            // LeftPNL: holds the panel, shown with it
    QMenu& contextMenu;                       // the timeline's (the window's copy of the Sequencer menu)
};

class SequencerController : public QObject {
    Q_OBJECT
public:
    SequencerController(const MainActions& actions, SequencerContext context);

    SequencerPanel& panel() const { return *panel_; }
    // The panel mirrors the core; the actions follow.
    void refresh();
    // The panel shown or hidden as the core holds it (start, configuration).
    void showAsConfigured();

private:
    void run(QAction* action, std::function<void()> body);
    void updateActions();

    const MainActions& actions_;
    SequencerContext context_;
    SequencerPanel* panel_;
};

} // namespace mlgui
