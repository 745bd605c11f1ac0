#include "chain.h"

#include "little_endian.h"
#include "lvdriver.h"

#include <algorithm>
#include <utility>

namespace mlemu {

Chain::Chain(const UnitCatalog& catalog, const std::vector<int>& ids) : catalog_(catalog) {
    for (int id : ids)
        units_.emplace_back(id, catalog);
}

const Unit* Chain::unit(int id) const {
    for (const Unit& u : units_)
        if (u.id() == id)
            return &u;
    return nullptr;
}

Unit* Chain::unit(int id) {
    return const_cast<Unit*>(std::as_const(*this).unit(id));
}

bool Chain::misses(int unit, const std::string& operation) const {
    return missTest_ && missTest_(unit, operation);
}

template <typename Action> ChainOutcome Chain::dispatch(const std::string& operation, Action action) {
    ChainOutcome outcome;
    switch (selection_) {
    case Selection::None:
        outcome.addressed = "none";
        break;
    case Selection::One:
        outcome.addressed = std::to_string(selectedId_);
        for (Unit& u : units_) {
            if (u.id() != selectedId_)
                continue;
            if (misses(u.id(), operation)) {
                outcome.missed.push_back(u.id());
            } else {
                outcome.answer = action(u);
                outcome.answerer = u.id();
            }
        }
        break;
    case Selection::All:
        for (Unit& u : units_) {
            if (sittingOut_.count(u.id()))
                continue;
            if (misses(u.id(), operation))
                outcome.missed.push_back(u.id());
            else
                outcome.answer = action(u);
        }
        outcome.addressed = "all";
        break;
    }
    return outcome;
}

ChainOutcome Chain::select(std::int32_t id, const std::string& operation) {
    ChainOutcome outcome;
    sittingOut_.clear();
    if (id == 0) {
        selection_ = Selection::All;
        outcome.addressed = "all";
        for (const Unit& u : units_)
            if (misses(u.id(), operation)) {
                sittingOut_.insert(u.id());
                outcome.missed.push_back(u.id());
            }
        return outcome;
    }
    const bool present = unit(id) != nullptr;
    outcome.addressed = present ? std::to_string(id) : "none";
    // The other units hear that they are not meant; the one meant may not hear it.
    if (present && misses(id, operation)) {
        outcome.missed.push_back(id);
        selection_ = Selection::None;
        selectedId_ = 0;
        return outcome;
    }
    selection_ = present ? Selection::One : Selection::None;
    selectedId_ = present ? id : 0;
    if (present) {
        outcome.answerer = id;
        outcome.answer = UnitAnswer::ack();
    }
    return outcome;
}

ChainOutcome Chain::handle(const Frame& frame) {
    if (!frame.checksumValid) {
        ChainOutcome outcome;
        outcome.addressed = "chain";
        // Every unit hears a damaged packet; one refusal is what the host gets,
        // unless they are all listening at once and none may answer.
        if (selection_ != Selection::All) {
            outcome.answerer = ChainOutcome::kChain;
            outcome.answer = UnitAnswer::nak();
        }
        return outcome;
    }
    const std::span<const std::uint8_t> payload = frame.payload();
    switch (frame.type) {
    case LV_PACKET_TYPE_DETECT: {
        ChainOutcome outcome;
        outcome.addressed = "chain";
        outcome.answerer = ChainOutcome::kChain;
        return outcome;
    }
    case LV_PACKET_TYPE_OPERATION: {
        const std::optional<OpRequest> request = OpRequest::parse(payload);
        if (!request)
            return dispatch("", [](Unit&) { return UnitAnswer::nak(); });
        const OpInfo* op = catalog_.operation(request->code);
        const std::string name = op ? op->def->name : std::string();
        if (op && op->role == OpRole::DeviceSelection &&
            request->sub == static_cast<std::uint8_t>(lv::OpStep::Set))
            return select(request->value, name);
        return dispatch(name, [&](Unit& u) { return u.operation(*request); });
    }
    case LV_PACKET_TYPE_EVENT:
        if (payload.size() < 6)
            return dispatch("", [](Unit&) { return UnitAnswer::nak(); });
        return dispatch("", [&](Unit& u) {
            return u.event(lv::getLe16(payload.data() + lv::event_payload::kCode),
                           lv::getLe32(payload.data() + lv::event_payload::kParameter));
        });
    case LV_PACKET_TYPE_VARIABLE:
        return dispatch("", [&](Unit& u) { return u.variable(payload); });
    case LV_PACKET_TYPE_OEM:
        return dispatch("", [&](Unit& u) { return u.oem(payload); });
    default:
        // Packet types the units do not know are taken without complaint.
        return dispatch("", [](Unit&) { return UnitAnswer::ack(); });
    }
}

} // namespace mlemu
