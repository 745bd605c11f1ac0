// What the emulated units know, taken from the definition file and arranged for
// the units' side: operations by code, their match lists by value, events and
// variables by code, and the few operations that units treat specially.
#pragma once

#include "definitions.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace mlemu {

// Operations whose meaning is the unit's own rather than a stored value.
enum class OpRole {
    Plain,
    DeviceSelection, // set: the value is the device ID to select, 0 for all
    SetQueue,        // execute: start holding back changes
    ExecuteQueue,    // execute: apply the held changes in order
    MemorySelect,    // set: choose user memory 1..16
    MemorySave,      // execute: store all values into the chosen memory
    MemoryRestore,   // execute: bring the chosen memory back
    FactoryReset,    // execute: factory values, empty memories
    Restart,         // execute: drop an open queue, keep values
};

// A match list: items in file order, with a look-up by value (first wins).
struct ItemList {
    std::vector<const lv::MatchItem*> items;
    std::unordered_map<std::int32_t, const lv::MatchItem*> byValue;

    const lv::MatchItem* find(std::int32_t value) const;
};

struct OpInfo {
    const lv::OperationDef* def = nullptr;
    OpRole role = OpRole::Plain;
    std::int32_t rangeMin = 0; // the range a unit reports for a POT: the file's unless
    std::int32_t rangeMax = 0; // the unit is of another kind (mlemu --unit-range)
    std::int32_t lo = 0;       // the range a unit keeps a POT value in
    std::int32_t hi = 0;
    const ItemList* values = nullptr;  // VALUE operations
    const ItemList* targets = nullptr; // operations that take a target
    std::int32_t factory = 0;          // value after a factory reset

    bool holdsValue() const;
    // Target values the operation is kept for: its target list, or 0 alone.
    std::vector<std::int32_t> targetValues() const;
    std::int32_t clamp(std::int64_t value) const;
    // A POT reports min..max, keeps its values in the range the driver scales
    // into and starts in the middle of it.
    void useRange(std::int32_t min, std::int32_t max);
};

class UnitCatalog {
public:
    explicit UnitCatalog(lv::Definitions definitions);
    UnitCatalog(const UnitCatalog&) = delete;
    UnitCatalog& operator=(const UnitCatalog&) = delete;

    const lv::Definitions& definitions() const { return definitions_; }
    const OpInfo* operation(std::uint16_t code) const;
    const lv::EventDef* event(std::uint16_t code) const;
    const lv::VariableDef* variable(std::uint16_t code) const;
    // Operations that hold a value, in code order (state files, factory values).
    const std::vector<const OpInfo*>& valueOperations() const { return valueOps_; }
    // The code of the operation with a given role, if the file defines it.
    std::optional<std::uint16_t> codeOf(OpRole role) const;

    // Names for logs and state files; empty when unknown.
    std::string targetName(const OpInfo& op, std::int32_t target) const;
    std::string valueName(const OpInfo& op, std::int32_t value) const;

    // The user memory (1..16) a memory-select value names, 0 when none.
    int memoryNumber(const OpInfo& op, std::int32_t value) const;

private:
    const ItemList* list(const std::string& name) const;

    lv::Definitions definitions_;
    std::map<std::string, ItemList> lists_; // by upper-cased list name
    std::unordered_map<std::uint16_t, OpInfo> ops_;
    std::vector<const OpInfo*> valueOps_;
    std::map<OpRole, std::uint16_t> roles_;
    std::unordered_map<std::uint16_t, const lv::EventDef*> events_;
    std::unordered_map<std::uint16_t, const lv::VariableDef*> variables_;
};

} // namespace mlemu
