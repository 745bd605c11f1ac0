// The undo history of the wall: each of the operator's edits is one step, which
// holds what the monitors it changed held before and after it.
//
// An edit is recorded by an EditStep scope around it. The scope notes every
// monitor's settings and device IDs (and the wall's file name) when it begins and
// keeps, when it ends, only the places that differ; a scope that changed nothing
// leaves no step. Scopes nest: an edit made of others is one step. Steps of one
// session (a panning dialog: each click its own scope) join into one, so that what
// happens between two clicks (a sequencer item played meanwhile) is not part of it.
// A new step drops what could be redone; at most kMaxSteps are kept, the oldest
// going first.
//
// Taking a step back or doing it again only puts the monitors back; sending the
// wall, the router and the caption are the caller's, told by Restored.
#pragma once

#include "wall/wall_model.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mlc {

// What one place of the wall holds that a step can change.
struct PlaceState {
    std::uint8_t DeviceId = 0; // in Monitors
    std::uint8_t KnownId = 0;  // in DeviceState (changing one monitor's ID changes both)
    TMonitorSettings Settings;
    bool operator==(const PlaceState&) const = default;
};

struct PlaceChange {
    int Column = 1;
    int Row = 1;
    PlaceState Before;
    PlaceState After;
};

// What a step taken back or done again asks of its caller.
struct Restored {
    bool Sent = false;       // the step had been sent to the units: send the wall
    bool IdsChanged = false; // device IDs changed: the router learns them
};

class WallHistory {
public:
    static constexpr std::size_t kMaxSteps = 100;

    // fileName: the wall's file name, which opening a file changes with the wall.
    WallHistory(WallModel& model, std::string& fileName);
    WallHistory(const WallHistory&) = delete;
    WallHistory& operator=(const WallHistory&) = delete;

    enum class Sending { NotSent, Sent };

    class EditStep {
    public:
        // name: what the step is called in "Undo <name>"; session: a number from
        // newSession() for edits that join into one step, 0 for none.
        EditStep(WallHistory& history, std::string name, Sending sending, std::uint64_t session = 0);
        ~EditStep();
        EditStep(const EditStep&) = delete;
        EditStep& operator=(const EditStep&) = delete;

    private:
        WallHistory& history_;
    };

    std::uint64_t newSession() { return ++lastSession_; }

    bool canUndo() const { return !done_.empty() && depth_ == 0; }
    bool canRedo() const { return !undone_.empty() && depth_ == 0; }
    // The name of the step Undo or Redo would take; empty when there is none.
    std::string undoName() const;
    std::string redoName() const;
    std::size_t undoCount() const { return done_.size(); }

    // Puts back the monitors of the last step done (undo) or undone (redo); nothing
    // when there is none or an edit is being recorded.
    std::optional<Restored> undo();
    std::optional<Restored> redo();
    void clear();

    // Called whenever what can be undone or redone changes.
    void setChanged(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    struct Step {
        std::string name;
        bool sent = false;
        std::uint64_t session = 0;
        std::vector<PlaceChange> places;
        std::optional<std::pair<std::string, std::string>> fileName; // before, after
    };
    using Snapshot = std::array<PlaceState, kMaxColumns * kMaxRows>;

    void begin(std::string name, Sending sending, std::uint64_t session);
    void end();
    Step stepSinceSnapshot() const;
    void record(Step step);
    static void join(Step& into, Step&& later);
    template <typename From, typename To> Restored move(From& from, To& to, bool forward);
    Restored apply(const Step& step, bool forward);
    void notify();

    WallModel& model_;
    std::string& fileName_;
    std::deque<Step> done_;
    std::vector<Step> undone_;
    // The outermost open scope.
    int depth_ = 0;
    Step open_;
    Snapshot snapshot_;
    std::string fileNameBefore_;
    std::uint64_t lastSession_ = 0;
    std::function<void()> changed_;
};

} // namespace mlc
