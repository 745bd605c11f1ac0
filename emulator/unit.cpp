#include "unit.h"

#include "little_endian.h"
#include "lvdriver.h"

#include <algorithm>

namespace mlemu {

namespace {
constexpr std::uint16_t kAvailable = 1;
namespace at = lv::op_payload;
} // namespace

std::optional<OpRequest> OpRequest::parse(std::span<const std::uint8_t> payload) {
    if (payload.size() < at::kSize)
        return std::nullopt;
    const std::uint8_t* p = payload.data();
    OpRequest request;
    request.sub = p[at::kStep];
    request.code = lv::getLe16(p + at::kCode);
    request.target = lv::getLe32Signed(p + at::kTarget);
    request.value = lv::getLe32Signed(p + at::kValue);
    request.step = lv::getLe32Signed(p + at::kIncrement);
    return request;
}

Unit::Unit(int id, const UnitCatalog& catalog) : id_(id), catalog_(catalog) {}

void Unit::useRange(const OpInfo& op, std::int32_t min, std::int32_t max) {
    OpInfo own = op;
    own.useRange(min, max);
    ownRanges_[op.def->code] = own;
}

const OpInfo* Unit::operationInfo(std::uint16_t code) const {
    const auto own = ownRanges_.find(code);
    return own != ownRanges_.end() ? &own->second : catalog_.operation(code);
}

std::int32_t Unit::value(std::uint16_t code, std::int32_t target) const {
    const auto it = values_.find({code, target});
    if (it != values_.end())
        return it->second;
    const OpInfo* op = operationInfo(code);
    return op ? op->factory : 0;
}

bool Unit::validTarget(const OpInfo& op, std::int32_t target) const {
    if (!op.targets)
        return target == 0;
    return op.targets->find(target) != nullptr;
}

UnitAnswer Unit::operation(const OpRequest& request) {
    const OpInfo* op = operationInfo(request.code);
    if (!op || !validTarget(*op, request.target))
        return UnitAnswer::nak();
    const lv::ValueType type = op->def->valueType;
    const bool stored = type == lv::ValueType::Pot || type == lv::ValueType::Value;
    switch (static_cast<lv::OpStep>(request.sub)) {
    case lv::OpStep::Set:
        return stored ? set(*op, request) : UnitAnswer::nak();
    case lv::OpStep::Get:
        if (!stored)
            return UnitAnswer::nak();
        return reply(request, value(request.code, request.target), 0, 0, 0);
    case lv::OpStep::Increment:
    case lv::OpStep::Decrement:
        return stored ? step(*op, request) : UnitAnswer::nak();
    case lv::OpStep::Execute:
        return stored ? UnitAnswer::nak() : execute(*op, request);
    case lv::OpStep::IsAvailable:
        return reply(request, 0, kAvailable, 0, 0);
    case lv::OpStep::RangeQuery:
        if (type == lv::ValueType::Pot)
            return reply(request, 0, 0, op->rangeMin, op->rangeMax);
        if (op->values && !op->values->items.empty()) {
            const auto [lo, hi] = std::minmax_element(
                op->values->items.begin(), op->values->items.end(),
                [](const lv::MatchItem* a, const lv::MatchItem* b) { return a->value < b->value; });
            return reply(request, 0, 0, (*lo)->value, (*hi)->value);
        }
        return reply(request, 0, 0, 0, 0);
    }
    return UnitAnswer::nak();
}

UnitAnswer Unit::set(const OpInfo& op, const OpRequest& request) {
    if (op.def->valueType == lv::ValueType::Value && op.values && !op.values->find(request.value))
        return UnitAnswer::nak();
    if (op.role == OpRole::MemorySelect) {
        const int memory = catalog_.memoryNumber(op, request.value);
        if (memory == 0)
            return UnitAnswer::nak();
        chosenMemory_ = memory;
    }
    if (queueOpen_ && op.role == OpRole::Plain) {
        if (queue_.size() >= kMaxQueue)
            return UnitAnswer::nak();
        queue_.push_back({lv::OpStep::Set, request.code, request.target, request.value});
        UnitAnswer answer = UnitAnswer::ack();
        answer.queued = true;
        return answer;
    }
    apply(op, lv::OpStep::Set, request.target, request.value);
    return UnitAnswer::ack();
}

UnitAnswer Unit::step(const OpInfo& op, const OpRequest& request) {
    const lv::OpStep sub = static_cast<lv::OpStep>(request.sub);
    if (queueOpen_ && op.role == OpRole::Plain) {
        if (queue_.size() >= kMaxQueue)
            return UnitAnswer::nak();
        queue_.push_back({sub, request.code, request.target, request.step});
        UnitAnswer answer = UnitAnswer::ack();
        answer.queued = true;
        return answer;
    }
    apply(op, sub, request.target, request.step);
    return UnitAnswer::ack();
}

void Unit::apply(const OpInfo& op, lv::OpStep sub, std::int32_t target, std::int32_t amount) {
    const std::uint16_t code = op.def->code;
    std::int32_t next = value(code, target);
    if (sub == lv::OpStep::Set) {
        next = op.clamp(amount);
    } else if (op.def->valueType == lv::ValueType::Pot) {
        const std::int64_t delta =
            sub == lv::OpStep::Increment ? std::int64_t{amount} : -std::int64_t{amount};
        next = op.clamp(std::int64_t{next} + delta);
    } else if (op.values && !op.values->items.empty()) {
        // A VALUE steps through its list, stopping at either end.
        const auto& items = op.values->items;
        auto at = std::find_if(items.begin(), items.end(),
                               [next](const lv::MatchItem* item) { return item->value == next; });
        std::int64_t index = at == items.end() ? 0 : at - items.begin();
        index += sub == lv::OpStep::Increment ? std::int64_t{amount} : -std::int64_t{amount};
        index = std::clamp<std::int64_t>(index, 0, static_cast<std::int64_t>(items.size()) - 1);
        next = items[static_cast<std::size_t>(index)]->value;
    }
    if (next == op.factory)
        values_.erase({code, target});
    else
        values_[{code, target}] = next;
}

UnitAnswer Unit::execute(const OpInfo& op, const OpRequest& request) {
    switch (op.role) {
    case OpRole::SetQueue:
        queueOpen_ = true;
        break;
    case OpRole::ExecuteQueue:
        for (const QueuedChange& change : queue_)
            if (const OpInfo* queuedOp = operationInfo(change.code))
                apply(*queuedOp, change.sub, change.target, change.amount);
        queue_.clear();
        queueOpen_ = false;
        break;
    case OpRole::MemorySave:
        memories_[chosenMemory_ - 1] = storedValues();
        break;
    case OpRole::MemoryRestore:
        if (const auto& memory = memories_[chosenMemory_ - 1])
            restore(*memory);
        else
            restore({});
        break;
    case OpRole::FactoryReset:
        values_.clear();
        chosenMemory_ = 1;
        for (auto& memory : memories_)
            memory.reset();
        variables_.clear();
        break;
    case OpRole::Restart:
        queue_.clear();
        queueOpen_ = false;
        break;
    default:
        if (op.def->valueType == lv::ValueType::Toggle) {
            const std::int32_t flipped = value(request.code, request.target) ? 0 : 1;
            if (flipped == op.factory)
                values_.erase({request.code, request.target});
            else
                values_[{request.code, request.target}] = flipped;
        }
        break;
    }
    return UnitAnswer::ack();
}

ValueMap Unit::storedValues() const {
    // A memory holds the picture settings, not the unit's own bookkeeping.
    ValueMap result;
    for (const auto& [key, v] : values_) {
        const OpInfo* op = catalog_.operation(key.first);
        if (op && op->role == OpRole::Plain)
            result.emplace(key, v);
    }
    return result;
}

void Unit::restore(const ValueMap& memory) {
    for (auto it = values_.begin(); it != values_.end();) {
        const OpInfo* op = catalog_.operation(it->first.first);
        it = (op && op->role == OpRole::Plain) ? values_.erase(it) : std::next(it);
    }
    for (const auto& [key, v] : memory)
        values_[key] = v;
}

UnitAnswer Unit::reply(const OpRequest& request, std::int32_t value, std::int32_t flags, std::int32_t min,
                       std::int32_t max) const {
    std::vector<std::uint8_t> payload(at::kSize, 0);
    std::uint8_t* p = payload.data();
    p[at::kStep] = request.sub;
    lv::putLe16(p + at::kCode, request.code);
    lv::putLe16(p + at::kFlags, static_cast<std::uint16_t>(flags));
    lv::putLe32(p + at::kTarget, request.target);
    lv::putLe32(p + at::kValue, value);
    lv::putLe32(p + at::kMinimum, min);
    lv::putLe32(p + at::kMaximum, max);
    return UnitAnswer::packet(LV_PACKET_TYPE_OPERATION, std::move(payload));
}

UnitAnswer Unit::event(std::uint16_t code, std::uint32_t parameter) {
    if (!catalog_.event(code))
        return UnitAnswer::nak();
    events_.push_back({code, parameter});
    if (events_.size() > kEventsKept)
        events_.pop_front();
    ++eventCount_;
    return UnitAnswer::ack();
}

UnitAnswer Unit::variable(std::span<const std::uint8_t> payload) {
    namespace var = lv::variable_payload;
    if (payload.size() < var::kSize)
        return UnitAnswer::nak();
    const std::uint8_t sub = payload[var::kStep];
    const std::uint16_t code = lv::getLe16(payload.data() + var::kCode);
    if (!catalog_.variable(code))
        return UnitAnswer::nak();
    const auto found = variables_.find(code);
    std::uint16_t stored = found == variables_.end() ? 0 : found->second;
    switch (sub) {
    case 1: {
        std::vector<std::uint8_t> reply(payload.begin(), payload.begin() + var::kSize);
        lv::putLe16(reply.data() + var::kValue, stored);
        return UnitAnswer::packet(LV_PACKET_TYPE_VARIABLE, std::move(reply));
    }
    case 2:
        stored = lv::getLe16(payload.data() + var::kValue) ? 0xFFFF : 0;
        break;
    case 3:
        stored = 0;
        break;
    case 4:
        stored = stored ? 0 : 0xFFFF;
        break;
    default:
        return UnitAnswer::nak();
    }
    if (stored == 0)
        variables_.erase(code);
    else
        variables_[code] = stored;
    return UnitAnswer::ack();
}

UnitAnswer Unit::oem(std::span<const std::uint8_t> payload) {
    // OEM messages are echoed: same id, same data, the size telling how much.
    namespace oem = lv::oem_payload;
    if (payload.size() < oem::kHeaderSize)
        return UnitAnswer::nak();
    const std::size_t size =
        std::min<std::size_t>(lv::getLe16(payload.data() + oem::kSize), payload.size() - oem::kHeaderSize);
    std::vector<std::uint8_t> reply(payload.begin(),
                                    payload.begin() + static_cast<std::ptrdiff_t>(oem::kHeaderSize + size));
    lv::putLe16(reply.data() + oem::kSize, static_cast<std::uint16_t>(size));
    return UnitAnswer::packet(LV_PACKET_TYPE_OEM, std::move(reply));
}

} // namespace mlemu
