#include "traffic/traffic_record.h"

#include "app/user_interface.h"
#include "files/atomic_file.h"
#include "files/guarded_save.h"
#include "wall/wall_state.h"

namespace mlc {

namespace {

// Handed to the plug-in as its tap: the record is the context.
void LV_API takeEntry(const LvTrafficEntry* entry, void* record) {
    if (entry && record)
        static_cast<TrafficRecord*>(record)->take(*entry);
}

} // namespace

void TrafficRecord::take(const LvTrafficEntry& entry) {
    if (entry.direction == LV_TRAFFIC_REPLY)
        count(entry);
    if (paused_) {
        awaitingReply_ = false;
        return;
    }
    if (entry.direction == LV_TRAFFIC_REPLY && awaitingReply_) {
        TrafficLine& sent = slot(end_ - 1);
        sent.result = entry.result;
        sent.outcome = entry.outcome;
        sent.log.append("\n").append(entry.line);
        awaitingReply_ = false;
        return;
    }
    TrafficLine& line = next();
    line.time = entry.time;
    line.direction = entry.direction;
    line.unit = entry.unit;
    line.outcome = entry.outcome;
    // Assigned, not built anew: the slot's strings keep their storage.
    line.kind = entry.kind;
    line.name = entry.name;
    line.target = entry.target;
    line.value = entry.value;
    line.result = entry.result;
    line.log = entry.line;
    awaitingReply_ = entry.direction == LV_TRAFFIC_SENT;
}

// The slot of the next line. Once the ring is full the oldest line's slot is
// taken over, its texts' storage with it: a busy line costs no allocation.
TrafficLine& TrafficRecord::next() {
    if (lines_.size() < kMaxLines)
        lines_.emplace_back();
    if (end_ - first_ == kMaxLines)
        ++first_;
    return slot(end_++);
}

// Every exchange that waited for an answer ends in one reply entry.
void TrafficRecord::count(const LvTrafficEntry& entry) {
    if (entry.unit < 1 || entry.unit > 255)
        return;
    UnitHealth& unit = health(entry.unit);
    ++unit.exchanges;
    switch (entry.outcome) {
    case LV_TRAFFIC_NO_ANSWER:
        ++unit.noAnswer;
        break;
    case LV_TRAFFIC_REFUSED:
        ++unit.refused;
        break;
    case LV_TRAFFIC_BAD_CHECKSUM:
        ++unit.badChecksum;
        break;
    case LV_TRAFFIC_UNEXPECTED:
        ++unit.other;
        break;
    default:
        break;
    }
    unit.lastResult = entry.result;
    unit.lastFailed = entry.outcome != LV_TRAFFIC_ANSWERED;
    if (entry.outcome != LV_TRAFFIC_NO_ANSWER)
        unit.lastSeen = entry.time;
    ++unitsChanged_;
}

UnitHealth& TrafficRecord::health(int unit) {
    if (unit != lastUnit_) {
        lastHealth_ = &units_[unit];
        lastUnit_ = unit;
    }
    return *lastHealth_;
}

void TrafficRecord::setPaused(bool paused) {
    paused_ = paused;
    awaitingReply_ = false;
}

void TrafficRecord::clear() {
    first_ = end_;
    awaitingReply_ = false;
    units_.clear();
    lastUnit_ = -1;
    ++unitsChanged_;
}

std::string TrafficRecord::logText(const TrafficFilter& filter) const {
    std::string text;
    for (std::uint64_t n = first_; n < end_; ++n)
        if (filter.matches(slot(n)))
            text.append(slot(n).log).append("\n");
    return text;
}

TrafficTap::TrafficTap(DriverBinding& binding, TrafficRecord& record)
    : binding_(binding), tapping_(binding.SetTrafficTap(takeEntry, &record) == LV_RESULT_OK) {}

TrafficTap::~TrafficTap() {
    if (tapping_)
        binding_.SetTrafficTap(nullptr, nullptr);
}

std::string PlacesText(const WallModel& model, int unit) {
    std::string text;
    for (int r = 1; r <= UsedRows(model); ++r)
        for (int c = 1; c <= UsedColumns(model); ++c)
            if (model.Monitors.at(c, r).DeviceId == unit)
                text += (text.empty() ? "" : "; ") + std::to_string(c) + ", " + std::to_string(r);
    return text.empty() ? "not on the wall" : text;
}

std::optional<std::pair<int, int>> FirstPlace(const WallModel& model, int unit) {
    for (int r = 1; r <= UsedRows(model); ++r)
        for (int c = 1; c <= UsedColumns(model); ++c)
            if (model.Monitors.at(c, r).DeviceId == unit)
                return std::make_pair(c, r);
    return std::nullopt;
}

bool SaveTrafficText(UserInterface& ui, Operator& op, const std::string& folder, const std::string& text) {
    const auto path = ui.chooseFileToSave(
        {"Save the serial traffic", "Traffic log (*.log)|*.log", "traffic.log", folder, "log"});
    if (!path)
        return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const bool replacing = fileExists(*path); // then a No or the cannot-replace box ends it
    if (saveWithOverwriteQuestion(op, *path, {bytes, text.size()}))
        return true;
    if (!replacing)
        op.showMessage(MessageKind::Error, "The serial traffic could not be written to " + *path + ".");
    return false;
}

} // namespace mlc
