// The sequencer panel of the main window's left side: the timeline, its tool bar,
// the item counter and the time stamp counters, with the one-second timer that
// plays the sequence. It mirrors the core's Sequencer and runs the sequencer's
// actions, which the main window owns and the panel finds by name. Showing and
// hiding the panel is the window's (the show-sequencer action).
#pragma once

#include "sequencer/clock_reading.h"
#include "sequencer/sequencer.h"

#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QListView;
class QMenu;
class QTimer;
class QToolBar;

namespace mlgui {

class TimelineModel;

class SequencerPanel : public QWidget {
    Q_OBJECT
public:
    // clock: both clocks the sequencer plays by, read at each tick and at Play.
    SequencerPanel(mlc::Sequencer& sequencer, std::function<mlc::ClockReading()> clock,
                   QWidget* parent = nullptr);
    ~SequencerPanel() override;

    // Finds the sequencer's actions among the children of `owner` by their names,
    // connects them, and fills the tool bar and the timeline's context menu.
    void attachActions(const QObject* owner);
    // The timeline's context menu is `menu` (the window's, built from its Sequencer
    // menu) instead of the panel's own; attachActions leaves its entries alone.
    void setContextMenu(QMenu* menu);

    // Mirrors the core: lines, selection, current line, counters, action states,
    // the play and loop states and the timer. Cheap; call after any change.
    void refresh();
    // One timer tick: the core's tick with the clocks, then refresh().
    void tick();

    QListView* timeline() const { return timeline_; }
    QTimer* timer() const { return timer_; }
    QMenu* contextMenu() const { return popup_; }

private:
    QAction* action(const char* name) const;
    void run(const char* name, const std::function<void()>& body);
    void selectionToCore();
    void selectionFromCore();
    void updateActions();

    mlc::Sequencer& sequencer_;
    std::function<mlc::ClockReading()> clock_;
    TimelineModel* model_ = nullptr;
    QListView* timeline_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* popup_ = nullptr;
    QLabel* itemsCount_ = nullptr;
    QLabel* midnight_ = nullptr;
    QLabel* start_ = nullptr;
    QLabel* last_ = nullptr;
    QTimer* timer_ = nullptr;
    const QObject* actionOwner_ = nullptr;
    bool mirroring_ = false;  // the view is being set from the core
    bool popupGiven_ = false; // the context menu is the window's
};

} // namespace mlgui
