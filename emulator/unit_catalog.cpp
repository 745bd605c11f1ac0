#include "unit_catalog.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace mlemu {

namespace {

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

OpRole roleOf(const std::string& name) {
    static const std::pair<const char*, OpRole> roles[] = {
        {"OP_IP_MISC_DEVICESELECTION", OpRole::DeviceSelection},
        {"OP_IP_MISC_SETQUEUE", OpRole::SetQueue},
        {"OP_IP_MISC_EXECUTEQUEUE", OpRole::ExecuteQueue},
        {"OP_IP_LCRST_USERPARMSET", OpRole::MemorySelect},
        {"OP_IP_LCRST_SAVEUSERPARMSET", OpRole::MemorySave},
        {"OP_IP_LCRST_RESTOREUSERSET", OpRole::MemoryRestore},
        {"OP_DATA_MANAGER_RESET", OpRole::FactoryReset},
        {"OP_IP_MISC_RESET", OpRole::Restart},
    };
    const std::string key = upper(name);
    for (const auto& [roleName, role] : roles)
        if (key == roleName)
            return role;
    return OpRole::Plain;
}

} // namespace

const lv::MatchItem* ItemList::find(std::int32_t value) const {
    const auto it = byValue.find(value);
    return it == byValue.end() ? nullptr : it->second;
}

bool OpInfo::holdsValue() const {
    return def->valueType == lv::ValueType::Pot || def->valueType == lv::ValueType::Value ||
           def->valueType == lv::ValueType::Toggle;
}

std::vector<std::int32_t> OpInfo::targetValues() const {
    if (!targets)
        return {0};
    std::vector<std::int32_t> result;
    for (const lv::MatchItem* item : targets->items)
        if (targets->find(item->value) == item)
            result.push_back(item->value);
    return result;
}

std::int32_t OpInfo::clamp(std::int64_t value) const {
    if (def->valueType != lv::ValueType::Pot)
        return static_cast<std::int32_t>(value);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, lo, hi));
}

void OpInfo::useRange(std::int32_t min, std::int32_t max) {
    rangeMin = min;
    rangeMax = max;
    // The driver scales percentages into 0..(max - min) for a negative minimum, so
    // a unit keeps such values there.
    lo = min < 0 ? 0 : min;
    hi = min < 0 ? static_cast<std::int32_t>(std::int64_t{max} - min) : max;
    if (hi < lo)
        hi = lo;
    factory = static_cast<std::int32_t>(lo + (std::int64_t{hi} - lo) / 2);
}

UnitCatalog::UnitCatalog(lv::Definitions definitions) : definitions_(std::move(definitions)) {
    for (const lv::MatchItem& item : definitions_.matchItems()) {
        ItemList& list = lists_[upper(item.list)];
        list.items.push_back(&item);
        list.byValue.emplace(item.value, &item); // first in file order wins
    }
    for (const lv::OperationDef& def : definitions_.operations()) {
        if (ops_.count(def.code))
            continue;
        OpInfo info;
        info.def = &def;
        info.role = roleOf(def.name);
        if (def.valueType == lv::ValueType::Pot)
            info.useRange(def.rangeMin, def.rangeMax);
        if (def.valueType == lv::ValueType::Value) {
            info.values = list(def.valueList);
            if (info.values && !info.values->items.empty())
                info.factory = info.values->items.front()->value;
        }
        if (!def.targetList.empty())
            info.targets = list(def.targetList);
        if (info.role != OpRole::Plain && !roles_.count(info.role))
            roles_[info.role] = def.code;
        ops_.emplace(def.code, info);
    }
    for (const auto& [code, info] : ops_)
        if (info.holdsValue())
            valueOps_.push_back(&info);
    std::sort(valueOps_.begin(), valueOps_.end(),
              [](const OpInfo* a, const OpInfo* b) { return a->def->code < b->def->code; });
    for (const lv::EventDef& event : definitions_.events())
        events_.emplace(event.code, &event);
    for (const lv::VariableDef& variable : definitions_.variables())
        variables_.emplace(variable.code, &variable);
}

const ItemList* UnitCatalog::list(const std::string& name) const {
    const auto it = lists_.find(upper(name));
    return it == lists_.end() ? nullptr : &it->second;
}

const OpInfo* UnitCatalog::operation(std::uint16_t code) const {
    const auto it = ops_.find(code);
    return it == ops_.end() ? nullptr : &it->second;
}

const lv::EventDef* UnitCatalog::event(std::uint16_t code) const {
    const auto it = events_.find(code);
    return it == events_.end() ? nullptr : it->second;
}

const lv::VariableDef* UnitCatalog::variable(std::uint16_t code) const {
    const auto it = variables_.find(code);
    return it == variables_.end() ? nullptr : it->second;
}

std::optional<std::uint16_t> UnitCatalog::codeOf(OpRole role) const {
    const auto it = roles_.find(role);
    if (it == roles_.end())
        return std::nullopt;
    return it->second;
}

std::string UnitCatalog::targetName(const OpInfo& op, std::int32_t target) const {
    if (!op.targets)
        return {};
    const lv::MatchItem* item = op.targets->find(target);
    return item ? item->code : std::string();
}

std::string UnitCatalog::valueName(const OpInfo& op, std::int32_t value) const {
    if (!op.values)
        return {};
    const lv::MatchItem* item = op.values->find(value);
    return item ? item->code : std::string();
}

int UnitCatalog::memoryNumber(const OpInfo& op, std::int32_t value) const {
    const std::string name = upper(valueName(op, value));
    static constexpr std::string_view prefix = "GC16CHANNEL";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return 0;
    int number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])) || number > 16)
            return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number >= 1 && number <= 16 ? number : 0;
}

} // namespace mlemu
