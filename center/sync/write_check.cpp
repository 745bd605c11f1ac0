#include "sync/write_check.h"

#include "binding/driver_result.h"

#include <cstdlib>

namespace mlc {

namespace {

bool isIdentifier(const DeviceValue& value) {
    return std::holds_alternative<std::string>(value);
}

std::int64_t distance(std::int32_t a, std::int32_t b) {
    return std::llabs(std::int64_t{a} - b);
}

std::string placeLines(const std::vector<MonitorPlace>& places) {
    constexpr std::size_t kNamed = 10;
    std::string text;
    for (std::size_t i = 0; i < std::min(places.size(), kNamed); ++i)
        text += "\r\nColumn " + std::to_string(places[i].column) + ", row " + std::to_string(places[i].row) +
                " (ID " + std::to_string(places[i].id) + ")";
    if (places.size() > kNamed)
        text += "\r\nand " + std::to_string(places.size() - kNamed) + " more.";
    return text;
}

} // namespace

void WriteCheck::noteQueued(const MonitorPlace& place, const MonitorField& field, const DeviceValue& sent,
                            const std::optional<DeviceValue>& before) {
    // A read tells an executed queue from a missed one for sure when an identifier
    // changed; a percentage comes back through the unit's range, so the further
    // apart, the surer. An identifier that did not change (a monitor written whole)
    // still shows a unit that holds something else.
    const bool changed = before && *before != sent;
    Witness witness{place, &field, sent, before, 0, 0};
    if (isIdentifier(sent)) {
        witness.rank = changed ? 3 : 1;
    } else if (changed) {
        witness.rank = 2;
        witness.spread = distance(std::get<std::int32_t>(sent), std::get<std::int32_t>(*before));
    } else {
        return; // a percentage sent as it was: nothing to tell apart
    }
    if (witnesses_.empty() || witnesses_.back().place.column != place.column ||
        witnesses_.back().place.row != place.row) {
        witnesses_.push_back(witness);
        return;
    }
    Witness& kept = witnesses_.back();
    if (witness.rank > kept.rank || (witness.rank == kept.rank && witness.spread > kept.spread))
        kept = witness;
}

bool WriteCheck::applied(const Witness& witness, const DeviceValue& read) {
    if (read == witness.sent)
        return true;
    if (isIdentifier(read) || !witness.before)
        return false;
    // Nearer the value sent than the one before.
    const std::int32_t value = std::get<std::int32_t>(read);
    return distance(value, std::get<std::int32_t>(witness.sent)) <
           distance(value, std::get<std::int32_t>(*witness.before));
}

std::optional<DeviceValue> WriteCheck::read(DriverBinding& binding, const Witness& witness) {
    const MonitorField& field = *witness.field;
    if (isIdentifier(witness.sent)) {
        std::string text;
        if (!IsDriverSuccess(binding.GetOperationIdentifier(field.operation, field.target, text)))
            return std::nullopt;
        return text;
    }
    std::int32_t percent = 0;
    if (!IsDriverSuccess(binding.GetOperationPercent(field.operation, field.target, percent)))
        return std::nullopt;
    return percent;
}

WriteCheck::Verdict WriteCheck::check(DriverBinding& binding, const Witness& witness) {
    if (!IsDriverSuccess(binding.SelectDevice(witness.place.id)))
        return Verdict::Wrong;
    const auto first = read(binding, witness);
    if (!first)
        return Verdict::Wrong;
    if (applied(witness, *first))
        return Verdict::Applied;
    // Answered, so the unit has now executed whatever it held queued.
    if (!IsDriverSuccess(binding.ExecuteOperation("op_IP_MISC_EXECUTEQUEUE", "")))
        return Verdict::Wrong;
    const auto second = read(binding, witness);
    if (!second)
        return Verdict::Wrong;
    if (applied(witness, *second))
        return Verdict::Repaired;
    // A percentage that executing did not move: the two values are one device
    // value on this unit, and it holds it.
    if (!isIdentifier(*second) && *second == *first)
        return Verdict::Applied;
    return Verdict::Wrong;
}

WriteCheck::Result WriteCheck::run(DriverBinding& binding, ProgressWindow& progress) const {
    progress.setText("Checking videowall...");
    const bool bar = witnesses_.size() > 1;
    if (bar)
        progress.setRange(1, static_cast<std::int32_t>(witnesses_.size()));
    Result result;
    for (std::size_t i = 0; i < witnesses_.size(); ++i) {
        progress.setPosition(bar ? static_cast<std::int32_t>(i + 1) : -1);
        switch (check(binding, witnesses_[i])) {
        case Verdict::Applied:
            break;
        case Verdict::Repaired:
            result.repaired.push_back(witnesses_[i].place);
            break;
        case Verdict::Wrong:
            result.wrong.push_back(witnesses_[i].place);
            break;
        }
    }
    return result;
}

std::string repairedUnitsText(const std::vector<MonitorPlace>& places) {
    if (places.empty())
        return {};
    const bool one = places.size() == 1;
    return (one ? std::string("1 unit") : std::to_string(places.size()) + " units") +
           " had missed the execution of " + (one ? "its" : "their") +
           " queue and applied it when it was sent again:" + placeLines(places);
}

std::string wrongUnitsText(const std::vector<MonitorPlace>& places) {
    if (places.empty())
        return {};
    const bool one = places.size() == 1;
    return (one ? std::string("1 unit does") : std::to_string(places.size()) + " units do") +
           " not hold the wall just written, also after " + (one ? "its queue was" : "their queues were") +
           " executed again.\r\n" + (one ? "Its monitor needs" : "Their monitors need") +
           " a synchronisation:" + placeLines(places);
}

} // namespace mlc
