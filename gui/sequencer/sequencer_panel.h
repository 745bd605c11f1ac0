// The sequencer panel of the main window's left side: the timeline, its tool bar,
// the item counter and the time stamp counters, with the one-second timer that
// plays the sequence. It mirrors the core's Sequencer and runs the sequencer's
// actions, which the main window owns and the panel finds by name.
#pragma once

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
    // timeOfDay: the time of day as a fraction of a day, read at each tick.
    SequencerPanel(mlc::Sequencer& sequencer, std::function<mlc::ClockReading()> clocks, QWidget* parent = nullptr);
    ~SequencerPanel() override;

    // Finds the sequencer's actions among the children of `owner` by their names,
    // connects them, and fills the tool bar and the timeline's context menu.
    void attachActions(const QObject* owner);
    // The widget the show-sequencer action shows and hides (the panel itself
    // unless the window puts it into a container of its own).
    void setShownWidget(QWidget* widget) { shown_ = widget; }

    // Mirrors the core: lines, selection, current line, counters, action states,
    // the play and loop states and the timer. Cheap; call after any change.
    void refresh();
    // One timer tick: the core's tick with the time of day, then refresh().
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
    std::function<mlc::ClockReading()> clocks_;
    TimelineModel* model_ = nullptr;
    QListView* timeline_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* popup_ = nullptr;
    QLabel* itemsCount_ = nullptr;
    QLabel* midnight_ = nullptr;
    QLabel* start_ = nullptr;
    QLabel* last_ = nullptr;
    QTimer* timer_ = nullptr;
    QWidget* shown_ = nullptr;
    const QObject* actionOwner_ = nullptr;
    bool mirroring_ = false; // the view is being set from the core
};

} // namespace mlgui
