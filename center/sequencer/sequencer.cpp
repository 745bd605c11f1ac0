#include "sequencer/sequencer.h"

#include "sequencer/sequence_file.h"
#include "sequencer/time_text.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace mlc {

namespace {

// A second's thousandth, in days: activation times and elapsed times are compared
// with this allowance so that rounding never delays an item by a whole tick.
constexpr double kTimeAllowance = 0.001 / 86400.0;

constexpr double kSecondsPerDay = 86400.0;

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

bool hasKnownTimeMode(const TSequenceItem& item) {
    return item.TimeMode <= FromLastEvent;
}

// "Sequence item 3 has an unknown time mode (7) ...", naming at most a few.
std::string unknownTimeModeText(const std::vector<std::pair<std::size_t, int>>& found) {
    constexpr std::size_t kNamed = 3;
    if (found.size() == 1)
        return "Sequence item " + std::to_string(found[0].first + 1) + " has an unknown time mode (" +
               std::to_string(found[0].second) + ") and is skipped when the sequence plays.";
    std::string text = "Sequence items ";
    for (std::size_t i = 0; i < found.size() && i < kNamed; ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(found[i].first + 1);
    if (found.size() > kNamed)
        text += " and " + std::to_string(found.size() - kNamed) + " more";
    return text + " have an unknown time mode and are skipped when the sequence plays.";
}

// Days from `since` to `now` on the monotonic clock; never negative.
double daysBetween(const ClockReading& since, const ClockReading& now) {
    return std::max(0.0, (now.monotonicSeconds - since.monotonicSeconds) / kSecondsPerDay);
}

int clampTo(int value, int low, int high) {
    return std::min(std::max(value, low), high);
}

} // namespace

Sequencer::Sequencer(Operator& op, SequencerDialogs& dialogs, SequencerHooks hooks)
    : op_(op), dialogs_(dialogs), hooks_(std::move(hooks)) {}

void Sequencer::setCurrentLine(int line) {
    currentLine_ = (line >= 0 && line < static_cast<int>(lines_.size())) ? line : -1;
}

void Sequencer::setSelected(int line, bool selected) {
    if (line >= 0 && line < static_cast<int>(lines_.size()))
        lines_[static_cast<std::size_t>(line)].selected = selected;
}

void Sequencer::selectOnly(int line) {
    for (auto& l : lines_)
        l.selected = false;
    setSelected(line, true);
    setCurrentLine(line);
}

int Sequencer::selectedCount() const {
    return static_cast<int>(
        std::count_if(lines_.begin(), lines_.end(), [](const auto& l) { return l.selected; }));
}

void Sequencer::RefreshTimeLine() {
    lines_.clear();
    currentLine_ = -1;
    for (const auto& item : items_)
        lines_.push_back({timelineLineText(*item, static_cast<int>(lines_.size()) + 1), false});
    UpdateSequencerActions();
}

void Sequencer::UpdateSequencerActions() {
    const int selected = selectedCount();
    const bool any = selected > 0;
    actions_.remove = any;
    actions_.moveUp = any && !lines_.front().selected;
    actions_.moveDown = any && !lines_.back().selected;
    actions_.execute = selected == 1;
    actions_.play = !lines_.empty();
    if (!actions_.play && playing_)
        stopPlaying();
}

void Sequencer::afterAction() {
    if (hooks_.updateCaption)
        hooks_.updateCaption();
    UpdateSequencerActions();
}

void Sequencer::repaintTimeline() {
    if (hooks_.timelineChanged)
        hooks_.timelineChanged();
}

void Sequencer::deleteSelectedLines() {
    for (int i = static_cast<int>(lines_.size()) - 1; i >= 0; --i) {
        const auto at = static_cast<std::size_t>(i);
        if (!lines_[at].selected)
            continue;
        lines_.erase(lines_.begin() + i);
        reportedModes_.erase(items_[at].get());
        items_.erase(items_.begin() + i);
    }
}

void Sequencer::newItem() {
    const bool wasModified = modified_;
    modified_ = false;
    auto item = NewSequenceItem();
    item->Settings = hooks_.wallSettings();
    items_.push_back(std::move(item));
    RefreshTimeLine();
    selectOnly(static_cast<int>(lines_.size()) - 1);
    editItemDetails();
    if (modified_)
        return; // the details were confirmed
    modified_ = wasModified;
    deleteSelectedLines();
    RefreshTimeLine();
    afterAction();
}

void Sequencer::addItem() {
    if (const auto path = dialogs_.chooseWallFileToAdd()) {
        auto item = NewSequenceItem();
        WallSettings loaded = item->Settings;
        if (hooks_.loadWallFile(*path, loaded)) {
            item->Settings = loaded;
            // The full path, so that the name does not depend on the working folder.
            item->setName(absolutePath(*path));
            items_.push_back(std::move(item));
            RefreshTimeLine();
            modified_ = true;
            selectOnly(static_cast<int>(lines_.size()) - 1);
            editItemDetails();
        }
    }
    afterAction();
}

bool Sequencer::checkLinesAndSelection() {
    if (lines_.empty()) {
        op_.showMessage(MessageKind::Warning, kNoItemsMessage);
        return false;
    }
    if (selectedCount() == 0) {
        op_.showMessage(MessageKind::Warning, kNoSelectionMessage);
        return false;
    }
    return true;
}

void Sequencer::removeItems() {
    if (checkLinesAndSelection() &&
        op_.ask(QuestionIcon::Warning, Buttons::YesNo, kRemoveQuestion) == Answer::Yes) {
        deleteSelectedLines();
        RefreshTimeLine();
        modified_ = true;
    }
    afterAction();
}

void Sequencer::editItemDetails() {
    if (selectedCount() == 0 || currentLine_ < 0)
        return;
    TSequenceItem& item = *items_[static_cast<std::size_t>(currentLine_)];
    ItemDetails details{item.name(), item.Hours, item.Minutes, item.Seconds,
                        item.TimeMode <= FromLastEvent ? int{item.TimeMode} : -1};
    if (dialogs_.editItemDetails(details)) {
        item.setName(details.name);
        item.Hours = static_cast<std::uint8_t>(clampTo(details.hours, 0, 99));
        item.Minutes = static_cast<std::uint8_t>(clampTo(details.minutes, 0, 59));
        item.Seconds = static_cast<std::uint8_t>(clampTo(details.seconds, 0, 59));
        if (details.mode >= FromMidnight && details.mode <= FromLastEvent)
            item.TimeMode = static_cast<std::uint8_t>(details.mode);
        RefreshTimeLine();
        modified_ = true;
    }
    afterAction();
}

void Sequencer::moveUp() {
    if (checkLinesAndSelection()) {
        if (lines_.front().selected) {
            op_.showMessage(MessageKind::Information, kCannotMoveMessage);
        } else {
            for (std::size_t i = 1; i < lines_.size(); ++i)
                if (lines_[i].selected) {
                    std::swap(lines_[i], lines_[i - 1]);
                    std::swap(items_[i], items_[i - 1]);
                }
            modified_ = true;
        }
    }
    afterAction();
}

void Sequencer::moveDown() {
    if (checkLinesAndSelection()) {
        if (lines_.back().selected) {
            op_.showMessage(MessageKind::Information, kCannotMoveMessage);
        } else {
            for (std::size_t i = lines_.size() - 1; i-- > 0;)
                if (lines_[i].selected) {
                    std::swap(lines_[i], lines_[i + 1]);
                    std::swap(items_[i], items_[i + 1]);
                }
            modified_ = true;
        }
    }
    afterAction();
}

void Sequencer::executeItem() {
    if (currentLine_ >= 0 && currentLine_ < static_cast<int>(items_.size()))
        ExecuteSequenceItem(currentLine_);
}

void Sequencer::ExecuteSequenceItem(int index) {
    // Sending lets pending window messages run; a tick or a command arriving then
    // must not start a second exchange with the units.
    if (executing_ || index < 0 || index >= static_cast<int>(items_.size()) ||
        !items_[static_cast<std::size_t>(index)] || deviceBusy())
        return;
    executing_ = true;
    executingIndex_ = index;
    // A copy: the timeline may change while the wall is being sent.
    const WallSettings settings = items_[static_cast<std::size_t>(index)]->Settings;
    hooks_.showOnWall(settings);
    if (hooks_.writeWall)
        hooks_.writeWall();
    executingIndex_ = -1;
    executing_ = false;
}

bool Sequencer::deviceBusy() const {
    return hooks_.deviceBusy && hooks_.deviceBusy();
}

void Sequencer::stopPlaying() {
    currentItemIndex_ = -1;
    playing_ = false;
    repaintTimeline();
}

void Sequencer::togglePlay(const ClockReading& now) {
    if (playing_) {
        stopPlaying();
        return;
    }
    if (!actions_.play)
        return;
    currentItemIndex_ = -1;
    playing_ = true;
    startAt_ = lastEventAt_ = now;
    tick(now);
    repaintTimeline();
}

double Sequencer::startTime() const {
    return startAt_.timeOfDay;
}
double Sequencer::lastEventTime() const {
    return lastEventAt_.timeOfDay;
}

void Sequencer::showCounters(const ClockReading& now) {
    midnightText_ = FormatDayFraction(now.timeOfDay);
    startText_ = FormatDayFraction(daysBetween(startAt_, now));
    lastEventText_ = FormatDayFraction(daysBetween(lastEventAt_, now));
}

void Sequencer::tick(const ClockReading& now) {
    const bool outer = inTick_;
    inTick_ = true;
    tickOnce(now);
    inTick_ = outer;
}

void Sequencer::tickOnce(const ClockReading& now) {
    if (!playing_)
        return;
    showCounters(now);
    // While an item or another device exchange is being sent, or playback waits for
    // the port, nothing fires; the next tick looks again.
    if (executing_ || items_.empty() || deviceBusy() || (hooks_.holdPlayback && hooks_.holdPlayback()))
        return;
    // After removals the last fired index can lie beyond the end: start again at 0.
    std::size_t next = static_cast<std::size_t>(currentItemIndex_ + 1);
    if (next >= items_.size())
        next = 0;
    // An item whose time mode this program does not know never comes due: it is
    // passed over (and reported once), so that the rest of the sequence plays.
    for (std::size_t passed = 0; !hasKnownTimeMode(*items_[next]); ++passed) {
        if (passed == items_.size())
            return; // no item can ever come due
        reportUnknownTimeModes({next});
        currentItemIndex_ = static_cast<int>(next);
        if (next + 1 == items_.size()) {
            if (!loop_) {
                stopPlaying();
                return;
            }
            startAt_ = now;
        }
        next = (next + 1) % items_.size();
    }
    const TSequenceItem* item = items_[next].get();
    double reference = 0.0;
    switch (item->TimeMode) {
    case FromMidnight:
        reference = now.timeOfDay;
        break;
    case FromStart:
        reference = daysBetween(startAt_, now);
        break;
    case FromLastEvent:
        reference = daysBetween(lastEventAt_, now);
        break;
    default:
        break;
    }
    if (itemActivationTime(*item) > reference + kTimeAllowance)
        return;

    ExecuteSequenceItem(static_cast<int>(next));
    if (!playing_)
        return; // stopped while the item was being sent
    lastEventAt_ = now;
    const bool last = next + 1 >= items_.size();
    if (last)
        startAt_ = now;
    currentItemIndex_ = static_cast<int>(next);
    repaintTimeline();
    if (!last)
        return;
    if (loop_) {
        const ClockReading again = hooks_.clock ? hooks_.clock() : now;
        startAt_ = lastEventAt_ = again;
    } else {
        stopPlaying();
    }
}

bool Sequencer::saveSequence(const std::string& path) {
    if (!saveSequenceFile(op_, path, items_))
        return false;
    modified_ = false;
    fileName_ = path;
    return true;
}

LoadStatus Sequencer::loadSequence(const std::string& path) {
    auto loaded = loadSequenceFile(path);
    if (!loaded)
        return loaded.status();
    items_ = std::move(*loaded);
    reportedModes_.clear();
    modified_ = false;
    fileName_ = path;
    RefreshTimeLine();
    std::vector<std::size_t> unknown;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (!hasKnownTimeMode(*items_[i]))
            unknown.push_back(i);
    reportUnknownTimeModes(unknown);
    return LoadStatus::Loaded;
}

void Sequencer::reportUnknownTimeModes(const std::vector<std::size_t>& indexes) {
    std::vector<std::pair<std::size_t, int>> fresh;
    for (const std::size_t i : indexes)
        if (reportedModes_.insert(items_[i].get()).second)
            fresh.emplace_back(i, items_[i]->TimeMode);
    if (!fresh.empty())
        op_.report(MessageKind::Warning, unknownTimeModeText(fresh));
}

void Sequencer::freeSequence() {
    items_.clear();
    reportedModes_.clear();
    lines_.clear();
    currentLine_ = -1;
    UpdateSequencerActions();
}

} // namespace mlc
