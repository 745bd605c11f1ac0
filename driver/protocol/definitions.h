// The command definition file (.PGC): its tables and their look-ups.
//
// The file names the events, operations, match lists and variables a unit
// understands. It is read once; look-ups ignore letter case and the first entry
// in file order wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

enum class ValueType : std::uint8_t { Execute = 0, MenuNav = 1, Pot = 2, Value = 3, Toggle = 4 };

struct OperationDef {
    std::string name;
    std::uint16_t code = 0;
    ValueType valueType = ValueType::Execute;
    std::string label;
    std::int32_t rangeMin = 0; // POT only
    std::int32_t rangeMax = 0; // POT only
    std::string valueList;     // VALUE only
    std::string targetList;    // empty: the operation takes no target
};

struct MatchItem {
    std::string list;
    std::string code;
    std::string description;
    std::int32_t value = 0;
};

struct VariableDef {
    std::uint8_t classFlag = 0; // 1 for records of kind 3, 0 for kind 4
    std::uint16_t code = 0;
    std::uint8_t type = 0; // always 0 (boolean) for stored entries
    std::string name;
};

struct EventDef {
    std::string firstText;
    std::string secondText;
    std::string name;
    std::uint16_t code = 0;
};

class Definitions {
public:
    Definitions();
    ~Definitions();
    Definitions(Definitions&&) noexcept;
    Definitions& operator=(Definitions&&) noexcept;

    // Parses a whole file image; never fails: what cannot be read is left out.
    static Definitions fromBytes(std::span<const std::uint8_t> bytes);
    // A missing or unreadable file gives empty tables.
    static Definitions fromFile(const std::string& path);

    const std::vector<OperationDef>& operations() const;
    const std::vector<MatchItem>& matchItems() const;
    const std::vector<VariableDef>& variables() const;
    const std::vector<EventDef>& events() const;

    const EventDef* findEvent(std::string_view name) const;
    const OperationDef* findOperation(std::string_view name) const;
    const VariableDef* findVariable(std::string_view name) const;
    const MatchItem* findMatchItemByCode(std::string_view list, std::string_view code) const;
    const MatchItem* findMatchItemByValue(std::string_view list, std::int32_t value) const;
    std::size_t countMatchItems(std::string_view list) const;
    const MatchItem* matchItemAt(std::string_view list, std::size_t index) const;

    // Reverse look-ups for the unit's side (emulator, traffic decoding): first entry
    // in file order with that code.
    const OperationDef* findOperationByCode(std::uint16_t code) const;
    const EventDef* findEventByCode(std::uint16_t code) const;
    const VariableDef* findVariableByCode(std::uint16_t code) const;

private:
    struct Tables;
    const Tables& tables() const;
    std::unique_ptr<Tables> tables_;
};

} // namespace lv
