// One emulated unit: its values per operation and target, its command queue, its
// sixteen user memories, its variables and the events it received.
#pragma once

#include "payload_layout.h"
#include "unit_catalog.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace mlemu {

// The fields of an operation packet's payload.
struct OpRequest {
    std::uint8_t sub = 0;
    std::uint16_t code = 0;
    std::int32_t target = 0;
    std::int32_t value = 0;
    std::int32_t step = 0;

    static std::optional<OpRequest> parse(std::span<const std::uint8_t> payload);
};

// What a unit answers to one packet.
struct UnitAnswer {
    enum class Kind { Ack, Nak, Packet } kind = Kind::Ack;
    std::uint8_t replyType = 0;
    std::vector<std::uint8_t> replyPayload; // for Kind::Packet
    bool queued = false;                    // held back in the open queue

    static UnitAnswer ack() { return {}; }
    static UnitAnswer nak() { return {Kind::Nak, 0, {}, false}; }
    static UnitAnswer packet(std::uint8_t type, std::vector<std::uint8_t> payload) {
        return {Kind::Packet, type, std::move(payload), false};
    }
};

using ValueKey = std::pair<std::uint16_t, std::int32_t>; // operation code, target value
using ValueMap = std::map<ValueKey, std::int32_t>;

struct QueuedChange {
    lv::OpStep sub = lv::OpStep::Set;
    std::uint16_t code = 0;
    std::int32_t target = 0;
    std::int32_t amount = 0; // the value of a set, the step of an increment or decrement
};

struct ReceivedEvent {
    std::uint16_t code = 0;
    std::uint32_t parameter = 0;
};

class Unit {
public:
    static constexpr std::size_t kMemories = 16;
    static constexpr std::size_t kMaxQueue = 4096;
    static constexpr std::size_t kEventsKept = 64;

    Unit(int id, const UnitCatalog& catalog);

    int id() const { return id_; }
    // Makes this unit one of another kind for a POT operation: it reports and keeps
    // min..max instead of the file's range.
    void useRange(const OpInfo& op, std::int32_t min, std::int32_t max);
    // The operation as this unit knows it; null for an unknown code.
    const OpInfo* operationInfo(std::uint16_t code) const;

    UnitAnswer operation(const OpRequest& request);
    UnitAnswer event(std::uint16_t code, std::uint32_t parameter);
    UnitAnswer variable(std::span<const std::uint8_t> payload);
    UnitAnswer oem(std::span<const std::uint8_t> payload);

    // The value in effect (factory value when never set).
    std::int32_t value(std::uint16_t code, std::int32_t target) const;
    bool queueOpen() const { return queueOpen_; }
    const std::vector<QueuedChange>& queue() const { return queue_; }
    int chosenMemory() const { return chosenMemory_; }
    const std::array<std::optional<ValueMap>, kMemories>& memories() const { return memories_; }
    const std::map<std::uint16_t, std::uint16_t>& variables() const { return variables_; }
    const std::deque<ReceivedEvent>& events() const { return events_; }
    std::size_t eventCount() const { return eventCount_; }

private:
    UnitAnswer set(const OpInfo& op, const OpRequest& request);
    UnitAnswer step(const OpInfo& op, const OpRequest& request);
    UnitAnswer execute(const OpInfo& op, const OpRequest& request);
    UnitAnswer reply(const OpRequest& request, std::int32_t value, std::int32_t flags, std::int32_t min,
                     std::int32_t max) const;
    void apply(const OpInfo& op, lv::OpStep sub, std::int32_t target, std::int32_t amount);
    bool validTarget(const OpInfo& op, std::int32_t target) const;
    ValueMap storedValues() const;
    void restore(const ValueMap& values);

    int id_;
    const UnitCatalog& catalog_;
    std::map<std::uint16_t, OpInfo> ownRanges_; // operations whose range differs from the file's
    ValueMap values_;                           // only values that differ from the factory ones are kept
    bool queueOpen_ = false;
    std::vector<QueuedChange> queue_;
    int chosenMemory_ = 1;
    std::array<std::optional<ValueMap>, kMemories> memories_;
    std::map<std::uint16_t, std::uint16_t> variables_;
    std::deque<ReceivedEvent> events_;
    std::size_t eventCount_ = 0;
};

} // namespace mlemu
