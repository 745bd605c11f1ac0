// The sequencer: the timeline of items, its actions, playback and the sequence
// file, as logic without widgets or clock. The window shows lines(), the
// selection and the current line, and mirrors every change back with the
// selection calls; its one-second timer calls tick() with both clocks.
//
// Items due "from midnight" compare with the time of day. Items due "from start"
// or "from last event" count elapsed time on the monotonic clock, which neither
// wraps at midnight nor jumps when the clocks change for summer or winter time
// (see clock_reading.h).
#pragma once

#include "files/load_status.h"
#include "operator.h"
#include "sequencer/clock_reading.h"
#include "sequencer/sequence_item.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace mlc {

struct TimelineLine {
    std::string text;
    bool selected = false;
};

// What the item details dialog edits; mode -1 when no mode is chosen.
struct ItemDetails {
    std::string name;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int mode = -1;
};

// The sequencer's dialogs; the window implements them, tests script them.
class SequencerDialogs {
public:
    virtual ~SequencerDialogs() = default;
    // "Add item from file": a wall file to add, or nothing when cancelled.
    virtual std::optional<std::string> chooseWallFileToAdd() = 0;
    // The item details dialog; true on OK, with `details` edited.
    virtual bool editItemDetails(ItemDetails& details) = 0;
};

// What the sequencer needs from the rest of the program.
struct SequencerHooks {
    std::function<WallSettings()> wallSettings;          // the settings of all places
    std::function<void(const WallSettings&)> showOnWall; // into the wall, grid repainted
    std::function<bool()> writeWall;                     // send the whole wall
    std::function<bool(const std::string&, WallSettings&)> loadWallFile;
    std::function<void()> updateCaption;
    std::function<ClockReading()> clock; // read when a loop restarts
    // Optional hooks carry an initialiser, so that a list that leaves them out is complete.
    std::function<void()> timelineChanged{}; // repaint (optional)
    std::function<bool()> deviceBusy{};      // another device exchange runs (optional)
    // Playback waits (the serial port is being opened again): items that come due
    // meanwhile fire once it no longer waits (optional).
    std::function<bool()> holdPlayback{};
};

struct SequencerActionStates {
    bool remove = false;
    bool moveUp = false;
    bool moveDown = false;
    bool execute = false;
    bool play = false;
};

inline constexpr const char* kNoItemsMessage =
    "There are no items in the sequence. Add one or more then try again.";
inline constexpr const char* kNoSelectionMessage =
    "No items selected. Select one or more items then try again.";
inline constexpr const char* kRemoveQuestion = "Are you sure you want to delete the selected items?";
inline constexpr const char* kCannotMoveMessage = "The selected group of items cannot move any further.";

class Sequencer {
public:
    Sequencer(Operator& op, SequencerDialogs& dialogs, SequencerHooks hooks);

    // Items and timeline.
    const SequenceItems& items() const { return items_; }
    const std::vector<TimelineLine>& lines() const { return lines_; }
    std::string itemsCountText() const { return std::to_string(lines_.size()); }
    int currentLine() const { return currentLine_; }
    void setCurrentLine(int line);
    void setSelected(int line, bool selected);
    void selectOnly(int line); // the only selected line, and the current one
    int selectedCount() const;
    // Rebuilds the lines from the items (clears the selection), then the actions.
    void RefreshTimeLine();
    void UpdateSequencerActions();
    const SequencerActionStates& actionStates() const { return actions_; }

    // Actions.
    void newItem();
    void addItem();
    void removeItems();
    void editItemDetails();
    void moveUp();
    void moveDown();
    void executeItem();
    void togglePlay(const ClockReading& now);
    void toggleLoop() { loop_ = !loop_; }
    void toggleVisible() { visible_ = !visible_; }
    void ExecuteSequenceItem(int index);
    void tick(const ClockReading& now);

    // Playback state.
    bool playing() const { return playing_; }
    bool timerEnabled() const { return playing_; }
    bool loop() const { return loop_; }
    void setLoop(bool on) { loop_ = on; }
    bool visible() const { return visible_; }
    void setVisible(bool on) { visible_ = on; }
    int currentItemIndex() const { return currentItemIndex_; }
    // The item being sent right now, -1 when none is.
    int executingItemIndex() const { return executingIndex_; }
    // A tick is running: what it sends plays with nobody watching, so its failures
    // are reported without a modal box.
    bool inTick() const { return inTick_; }
    double startTime() const;     // time of day
    double lastEventTime() const; // time of day
    const std::string& midnightCounter() const { return midnightText_; }
    const std::string& startCounter() const { return startText_; }
    const std::string& lastEventCounter() const { return lastEventText_; }

    // File state.
    bool modified() const { return modified_; }
    void setModified(bool on) { modified_ = on; }
    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string name) { fileName_ = std::move(name); }
    // With the overwrite question; on success the sequence counts as saved there.
    bool saveSequence(const std::string& path);
    // The current sequence stays unless the file is read completely and accepted.
    LoadStatus loadSequence(const std::string& path);
    // Ends the sequence (at program end).
    void freeSequence();

private:
    void tickOnce(const ClockReading& now);
    void deleteSelectedLines();
    bool checkLinesAndSelection();
    void afterAction();
    void stopPlaying();
    bool deviceBusy() const;
    // Reports the items with an unknown time mode that were not reported yet.
    void reportUnknownTimeModes(const std::vector<std::size_t>& indexes);
    void showCounters(const ClockReading& now);
    void repaintTimeline();

    Operator& op_;
    SequencerDialogs& dialogs_;
    SequencerHooks hooks_;

    SequenceItems items_;
    std::vector<TimelineLine> lines_;
    int currentLine_ = -1;
    SequencerActionStates actions_;

    bool playing_ = false;
    bool loop_ = false;
    bool visible_ = true;
    bool executing_ = false; // an item is being sent
    bool inTick_ = false;
    int executingIndex_ = -1;
    int currentItemIndex_ = -1;
    std::set<const TSequenceItem*> reportedModes_; // items reported for their time mode
    // When playback (or the current round of a loop) started and when the last
    // item fired, on both clocks.
    ClockReading startAt_;
    ClockReading lastEventAt_;
    std::string midnightText_ = "00:00:00";
    std::string startText_ = "00:00:00";
    std::string lastEventText_ = "00:00:00";

    bool modified_ = false;
    std::string fileName_;
};

} // namespace mlc
