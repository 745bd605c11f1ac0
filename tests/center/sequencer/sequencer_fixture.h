// A sequencer wired to a wall of settings, a scripted operator, scripted dialogs
// and two clocks the test sets.
#pragma once

#include "files/wall_file.h"
#include "scripted_operator.h"
#include "sequencer/sequencer.h"

#include <gtest/gtest.h>

#include <deque>

namespace sequencertest {

inline double hms(int h, int m, int s) {
    return h / 24.0 + m / 1440.0 + s / 86400.0;
}

class ScriptedDialogs : public mlc::SequencerDialogs {
public:
    std::optional<std::string> chooseWallFileToAdd() override {
        ++fileDialogs;
        return addFile;
    }
    bool editItemDetails(mlc::ItemDetails& details) override {
        shown.push_back(details);
        if (edits.empty())
            return false; // cancelled
        auto edit = edits.front();
        edits.pop_front();
        if (edit)
            edit(details);
        return edit != nullptr;
    }

    std::optional<std::string> addFile;
    int fileDialogs = 0;
    // One entry per details dialog: an edit applied before OK, or nullptr for Cancel.
    std::deque<std::function<void(mlc::ItemDetails&)>> edits;
    std::vector<mlc::ItemDetails> shown;
};

class SequencerTest : public ::testing::Test {
protected:
    SequencerTest()
        : seq(op, dialogs,
              mlc::SequencerHooks{[this] { return wall; },
                                  [this](const mlc::WallSettings& s) { wall = s; },
                                  [this] {
                                      writes.push_back(wall[0].Brightness);
                                      if (duringWrite)
                                          duringWrite();
                                      return true;
                                  },
                                  [](const std::string& path, mlc::WallSettings& buffer) {
                                      return static_cast<bool>(mlc::loadVideowallFile(path, buffer));
                                  },
                                  [this] { ++captionUpdates; },
                                  [this] { return reading(); },
                                  {},
                                  [this] { return deviceBusy; }}) {}

    // Appends an item whose wall is marked by its brightness.
    void addItem(int marker, int h, int m, int s, int mode, const std::string& name = "") {
        wall[0].Brightness = marker;
        dialogs.edits.push_back([=](mlc::ItemDetails& d) {
            d.hours = h;
            d.minutes = m;
            d.seconds = s;
            d.mode = mode;
            d.name = name;
        });
        seq.newItem();
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& line : seq.lines())
            out.push_back(line.text);
        return out;
    }
    mlc::ClockReading reading() const { return {clock, steady}; }
    // Moves the time of day to `timeOfDay` and the monotonic clock by as much,
    // as both run when nobody sets the clock (past midnight when it is earlier).
    void advanceTo(double timeOfDay) {
        double days = timeOfDay - clock;
        if (days < 0)
            days += 1.0;
        steady += days * 86400.0;
        clock = timeOfDay;
    }
    void play(double timeOfDay) {
        advanceTo(timeOfDay);
        seq.togglePlay(reading());
    }
    void tickAt(double timeOfDay) {
        advanceTo(timeOfDay);
        seq.tick(reading());
    }

    testsupport::ScriptedOperator op;
    ScriptedDialogs dialogs;
    mlc::WallSettings wall{};
    std::vector<int> writes; // the marker of each wall sent
    std::function<void()> duringWrite;
    int captionUpdates = 0;
    bool deviceBusy = false; // another device exchange is running
    double clock = 0.0;      // time of day
    double steady = 1000.0;  // monotonic clock, seconds
    mlc::Sequencer seq;
};

} // namespace sequencertest
