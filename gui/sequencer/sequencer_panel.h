// The sequencer panel of the main window's left side: the timeline, its tool bar,
// the item counter and the time stamp counters, with the one-second timer that
// plays the sequence. It mirrors the core's Sequencer; the sequencer's controller
// runs the actions, fills the tool bar and gives the timeline its context menu.
#pragma once

#include "sequencer/clock_reading.h"
#include "sequencer/sequencer.h"

#include <QWidget>

#include <functional>

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

    // The timeline's context menu (the window's copy of the Sequencer menu).
    void setContextMenu(QMenu* menu) { popup_ = menu; }

    // Mirrors the core: lines, selection, current line, counters and the timer.
    // Cheap; call after any change.
    void refresh();
    // One timer tick: the core's tick with the clocks, then refresh().
    void tick();

    QListView* timeline() const { return timeline_; }
    QToolBar* toolBar() const { return toolBar_; }
    QTimer* timer() const { return timer_; }
    QMenu* contextMenu() const { return popup_; }

signals:
    // The core's state may have changed (a refresh, a selection by the operator):
    // the actions follow it.
    void changed();
    // A line was double-clicked.
    void lineActivated();

private:
    void selectionToCore();
    void selectionFromCore();

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
    bool mirroring_ = false; // the view is being set from the core
};

} // namespace mlgui
