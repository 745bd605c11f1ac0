#include "wall/wall_history.h"

#include <algorithm>

namespace mlc {

namespace {

PlaceState stateAt(const WallModel& model, int column, int row) {
    const TWallMonitor& monitor = model.Monitors.at(column, row);
    return {monitor.DeviceId, model.DeviceState.at(column, row).DeviceId, monitor.Settings};
}

} // namespace

WallHistory::WallHistory(WallModel& model, std::string& fileName) : model_(model), fileName_(fileName) {}

WallHistory::EditStep::EditStep(WallHistory& history, std::string name, Sending sending,
                                std::uint64_t session)
    : history_(history) {
    history_.begin(std::move(name), sending, session);
}

WallHistory::EditStep::~EditStep() {
    history_.end();
}

void WallHistory::begin(std::string name, Sending sending, std::uint64_t session) {
    const bool sent = sending == Sending::Sent;
    if (depth_++ > 0) {
        // An edit inside another is part of it; what it sent was sent by the step.
        open_.sent = open_.sent || sent;
        return;
    }
    open_ = Step{std::move(name), sent, session, {}, {}};
    for (int c = 1; c <= kMaxColumns; ++c)
        for (int r = 1; r <= kMaxRows; ++r)
            snapshot_[placeIndex(c, r)] = stateAt(model_, c, r);
    fileNameBefore_ = fileName_;
}

void WallHistory::end() {
    if (--depth_ > 0)
        return;
    record(stepSinceSnapshot());
}

WallHistory::Step WallHistory::stepSinceSnapshot() const {
    Step step{open_.name, open_.sent, open_.session, {}, {}};
    for (int c = 1; c <= kMaxColumns; ++c) {
        for (int r = 1; r <= kMaxRows; ++r) {
            const PlaceState& before = snapshot_[placeIndex(c, r)];
            PlaceState after = stateAt(model_, c, r);
            if (!(after == before))
                step.places.push_back({c, r, before, std::move(after)});
        }
    }
    if (fileName_ != fileNameBefore_)
        step.fileName.emplace(fileNameBefore_, fileName_);
    return step;
}

void WallHistory::record(Step step) {
    if (step.session != 0 && !done_.empty() && done_.back().session == step.session && undone_.empty()) {
        join(done_.back(), std::move(step));
        if (done_.back().places.empty() && !done_.back().fileName)
            done_.pop_back(); // the session came back to where it started
        notify();
        return;
    }
    if (step.places.empty() && !step.fileName)
        return;
    undone_.clear();
    done_.push_back(std::move(step));
    while (done_.size() > kMaxSteps)
        done_.pop_front();
    notify();
}

// A later edit of the same session: a place keeps its state from before the
// session and takes the newest after it; one that is back where it was drops out.
void WallHistory::join(Step& into, Step&& later) {
    into.sent = into.sent || later.sent;
    for (PlaceChange& change : later.places) {
        const auto same = std::find_if(into.places.begin(), into.places.end(), [&](const PlaceChange& p) {
            return p.Column == change.Column && p.Row == change.Row;
        });
        if (same == into.places.end())
            into.places.push_back(std::move(change));
        else
            same->After = std::move(change.After);
    }
    std::erase_if(into.places, [](const PlaceChange& p) { return p.Before == p.After; });
    if (later.fileName)
        into.fileName =
            into.fileName ? std::make_pair(into.fileName->first, later.fileName->second) : *later.fileName;
}

std::string WallHistory::undoName() const {
    return canUndo() ? done_.back().name : std::string();
}

std::string WallHistory::redoName() const {
    return canRedo() ? undone_.back().name : std::string();
}

// Takes the last step of one list, puts its monitors back and keeps it on the other.
template <typename From, typename To> Restored WallHistory::move(From& from, To& to, bool forward) {
    Step step = std::move(from.back());
    from.pop_back();
    const Restored restored = apply(step, forward);
    to.push_back(std::move(step));
    notify();
    return restored;
}

std::optional<Restored> WallHistory::undo() {
    if (!canUndo())
        return std::nullopt;
    return move(done_, undone_, false);
}

std::optional<Restored> WallHistory::redo() {
    if (!canRedo())
        return std::nullopt;
    return move(undone_, done_, true);
}

Restored WallHistory::apply(const Step& step, bool forward) {
    Restored restored{step.sent, false};
    for (const PlaceChange& change : step.places) {
        const PlaceState& state = forward ? change.After : change.Before;
        TWallMonitor& monitor = model_.Monitors.at(change.Column, change.Row);
        if (monitor.DeviceId != state.DeviceId) {
            // Another unit answers for this place now: nothing is known of it.
            monitor.DeviceId = state.DeviceId;
            monitor.Synced = false;
            restored.IdsChanged = true;
        }
        model_.DeviceState.at(change.Column, change.Row).DeviceId = state.KnownId;
        monitor.Settings = state.Settings;
    }
    if (step.fileName)
        fileName_ = forward ? step.fileName->second : step.fileName->first;
    return restored;
}

void WallHistory::clear() {
    if (done_.empty() && undone_.empty())
        return;
    done_.clear();
    undone_.clear();
    notify();
}

void WallHistory::notify() {
    if (changed_)
        changed_();
}

} // namespace mlc
