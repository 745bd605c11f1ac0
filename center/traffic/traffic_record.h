// What the serial traffic window shows: the packets as the plug-in's traffic tap
// hands them over, decoded as its traffic log decodes them, and the state of each
// unit the traffic addressed.
//
// A packet sent and the end of its exchange are one line: the reply's result is
// the line's, and its log line follows the packet's. A reply packet received is a
// line of its own. The last kMaxLines lines are kept; while paused none are added
// (the units' counts go on). Lines are numbered from the first ever taken, so a
// view can tell which it has shown.
//
// The tap calls take() inside the plug-in's commands and a view reads between
// them, so every line a view sees is complete.
#pragma once

#include "binding/driver_binding.h"
#include "operator.h"
#include "wall/wall_model.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mlc {

class UserInterface;

struct TrafficLine {
    std::int64_t time = 0;               // microseconds since the epoch
    int direction = LV_TRAFFIC_SENT;     // LV_TRAFFIC_SENT, _NOT_SENT, _RECEIVED (_REPLY without its packet)
    int unit = -1;                       // 1..255, 0 all units, -1 not known
    int outcome = LV_TRAFFIC_NO_OUTCOME; // of its exchange: LV_TRAFFIC_ANSWERED ...
    std::string kind, name, target, value;
    std::string result; // how its exchange ended; empty when none is awaited
    std::string log;    // the traffic log's lines for it, '\n' between them
    bool failed() const { return outcome > LV_TRAFFIC_ANSWERED; }
};

// What the traffic tells of one unit.
struct UnitHealth {
    long exchanges = 0; // exchanges that waited for its answer
    long noAnswer = 0;
    long refused = 0;
    long badChecksum = 0;
    long other = 0; // unknown reply bytes, wrong sync words
    std::string lastResult;
    std::int64_t lastSeen = 0; // when it last answered at all, 0: never
    bool lastFailed = false;
};

// The lines a view shows: of one unit (-1: all) and only failed ones, if asked.
struct TrafficFilter {
    int unit = -1;
    bool errorsOnly = false;
    bool matches(const TrafficLine& line) const {
        return (unit < 0 || line.unit == unit) && (!errorsOnly || line.failed());
    }
};

class TrafficRecord {
public:
    static constexpr std::size_t kMaxLines = 10000;

    void take(const LvTrafficEntry& entry);

    // Lines begin() .. end() - 1 are kept.
    std::uint64_t begin() const { return first_; }
    std::uint64_t end() const { return end_; }
    const TrafficLine& line(std::uint64_t number) const { return slot(number); }
    // By device ID, 1..255.
    const std::map<int, UnitHealth>& units() const { return units_; }
    // Counts up whenever a unit's state changes.
    std::uint64_t unitsChanged() const { return unitsChanged_; }

    void setPaused(bool paused);
    bool paused() const { return paused_; }
    // Forgets the lines and the units' counts.
    void clear();

    // The log lines of the kept lines the filter lets through, as the traffic log
    // file holds them: one line each, '\n' after every one.
    std::string logText(const TrafficFilter& filter) const;

private:
    void count(const LvTrafficEntry& entry);
    TrafficLine& next();
    TrafficLine& slot(std::uint64_t number) { return lines_[number % kMaxLines]; }
    const TrafficLine& slot(std::uint64_t number) const { return lines_[number % kMaxLines]; }
    UnitHealth& health(int unit);

    std::vector<TrafficLine> lines_; // a ring: line n in slot n % kMaxLines
    std::uint64_t first_ = 0;
    std::uint64_t end_ = 0;
    bool awaitingReply_ = false; // the last line is a packet sent whose exchange goes on
    bool paused_ = false;
    std::map<int, UnitHealth> units_;
    std::uint64_t unitsChanged_ = 0;
    // The unit of the last reply: a unit's exchanges come one after another.
    int lastUnit_ = -1;
    UnitHealth* lastHealth_ = nullptr;
};

// While one lives, the plug-in hands its traffic to the record; without one it
// decodes nothing. Needs a plug-in that offers SetTrafficTap (tapping() says).
class TrafficTap {
public:
    TrafficTap(DriverBinding& binding, TrafficRecord& record);
    ~TrafficTap();
    TrafficTap(const TrafficTap&) = delete;
    TrafficTap& operator=(const TrafficTap&) = delete;
    bool tapping() const { return tapping_; }

private:
    DriverBinding& binding_;
    bool tapping_;
};

// Where a device ID is on the wall: every used place with it ("3, 2"; several
// joined by "; "), or "not on the wall".
std::string PlacesText(const WallModel& model, int unit);
// The first used place with the device ID (column, row), if any.
std::optional<std::pair<int, int>> FirstPlace(const WallModel& model, int unit);

// Asks for a file name and writes the text there, asking before it replaces a
// file; tells the operator when it could not be written.
bool SaveTrafficText(UserInterface& ui, Operator& op, const std::string& folder, const std::string& text);

} // namespace mlc
