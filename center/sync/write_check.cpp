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
    if (!before) // what the unit held is not known
        return noteWrittenWhole(place);
    // Only a value that changed tells: exactly for an identifier; a percentage comes
    // back through the unit's range, so the further apart, the surer. One that did
    // not change leaves the unit as it was, applied or not.
    if (*before == sent)
        return;
    Witness witness{place, &field, sent, before, 2, 0};
    if (!isIdentifier(sent)) {
        witness.rank = 1;
        witness.spread = distance(std::get<std::int32_t>(sent), std::get<std::int32_t>(*before));
    }
    keep(witness);
}

void WriteCheck::noteWrittenWhole(const MonitorPlace& place) {
    keep({place, nullptr, std::string(), std::nullopt, 3, 0});
}

void WriteCheck::keep(const Witness& witness) {
    const MonitorPlace& place = witness.place;
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
    // Answered, an execution means the unit has applied whatever it held queued.
    const auto executeAgain = [&binding] {
        return IsDriverSuccess(binding.ExecuteOperation("op_IP_MISC_EXECUTEQUEUE", ""));
    };
    if (!witness.field) {
        if (executeAgain())
            return Verdict::Applied;
        return executeAgain() ? Verdict::Repaired : Verdict::Wrong;
    }
    const auto first = read(binding, witness);
    if (!first)
        return Verdict::Wrong;
    if (applied(witness, *first))
        return Verdict::Applied;
    if (!executeAgain())
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
           " not show the wall just written or " + (one ? "does" : "do") + " not answer, also after " +
           (one ? "its queue was" : "their queues were") + " executed again.\r\n" +
           (one ? "Its monitor needs" : "Their monitors need") + " a synchronisation:" + placeLines(places);
}

} // namespace mlc
