#include "definitions.h"

#include "definition_numbers.h"
#include "pgc_records.h"

#include <cstdio>
#include <iterator>
#include <optional>
#include <unordered_map>

namespace lv {
namespace {

constexpr std::size_t kMaxTextLength = 255;
// The most fields any record kind reads (a POT operation's target list is field 7).
constexpr std::size_t kFieldsRead = 8;

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    return true;
}

// Hash and equality on upper-cased text, so that an index finds exactly what a
// walk comparing upper-cased names would find.
struct CaseInsensitiveHash {
    std::size_t operator()(std::string_view text) const noexcept {
        std::size_t hash = 14695981039346656037ULL;
        for (char c : text) {
            hash ^= static_cast<unsigned char>(asciiUpper(c));
            hash *= 1099511628211ULL;
        }
        return hash;
    }
};
struct CaseInsensitiveEqual {
    bool operator()(std::string_view a, std::string_view b) const noexcept {
        return equalsIgnoringCase(a, b);
    }
};

// Keys are views of the names stored in the tables; the tables never change after
// the index is built. emplace keeps the first entry, so the first in file order wins.
template <typename T>
using NameIndex = std::unordered_map<std::string_view, T, CaseInsensitiveHash, CaseInsensitiveEqual>;

std::string cutText(std::string_view text) {
    return std::string(text.substr(0, kMaxTextLength));
}

std::optional<std::uint16_t> parseCode(std::string_view text) {
    const auto value = parseDefinitionInt32(text);
    if (!value)
        return std::nullopt;
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(*value));
}

std::optional<ValueType> parseValueType(std::string_view text) {
    static constexpr std::string_view names[] = {"EXECUTE", "MENUNAV", "POT", "VALUE", "TOGGLE"};
    for (std::size_t i = 0; i < std::size(names); ++i)
        if (equalsIgnoringCase(text, names[i]))
            return static_cast<ValueType>(i);
    return std::nullopt;
}

std::optional<OperationDef> makeOperation(std::span<const std::string_view> f) {
    if (f.size() < 5)
        return std::nullopt;
    OperationDef op;
    op.name = cutText(f[1]);
    const auto code = parseCode(f[2]);
    const auto type = parseValueType(f[3]);
    if (!code || !type)
        return std::nullopt;
    op.code = *code;
    op.valueType = *type;
    op.label = cutText(f[4]);
    switch (op.valueType) {
    case ValueType::Pot: {
        if (f.size() < 7)
            return std::nullopt;
        const auto min = parseDefinitionInt32(f[5]);
        const auto max = parseDefinitionInt32(f[6]);
        if (!min || !max)
            return std::nullopt;
        op.rangeMin = *min;
        op.rangeMax = *max;
        if (f.size() > 7)
            op.targetList = cutText(f[7]);
        break;
    }
    case ValueType::Value:
        if (f.size() < 6)
            return std::nullopt;
        op.valueList = cutText(f[5]);
        if (f.size() > 6)
            op.targetList = cutText(f[6]);
        break;
    default:
        if (f.size() > 5)
            op.targetList = cutText(f[5]);
        break;
    }
    return op;
}

std::optional<MatchItem> makeMatchItem(std::span<const std::string_view> f) {
    if (f.size() < 4)
        return std::nullopt;
    const auto value = parseDefinitionInt64(f[3]);
    if (!value)
        return std::nullopt;
    MatchItem item;
    item.list = cutText(f[0]);
    item.description = cutText(f[1]);
    item.code = cutText(f[2]);
    item.value = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(*value)));
    return item;
}

std::optional<VariableDef> makeVariable(int kind, std::span<const std::string_view> f) {
    if (f.size() < 4)
        return std::nullopt;
    const auto code = parseCode(f[1]);
    if (!code || !equalsIgnoringCase(f[2], "BOOLEAN"))
        return std::nullopt;
    VariableDef variable;
    variable.classFlag = kind == 3 ? 1 : 0;
    variable.code = *code;
    variable.type = 0;
    variable.name = cutText(f[3]);
    return variable;
}

std::optional<EventDef> makeEvent(std::span<const std::string_view> f) {
    if (f.size() < 4)
        return std::nullopt;
    const auto code = parseCode(f[3]);
    if (!code)
        return std::nullopt;
    EventDef event;
    event.firstText = cutText(f[0]);
    event.secondText = cutText(f[1]);
    event.name = cutText(f[2]);
    event.code = *code;
    return event;
}

template <typename Entry>
void indexByName(NameIndex<const Entry*>& index, const std::vector<Entry>& entries) {
    index.reserve(entries.size());
    for (const Entry& entry : entries)
        index.emplace(entry.name, &entry);
}

template <typename Entry>
void indexByCode(std::unordered_map<std::uint16_t, const Entry*>& index, const std::vector<Entry>& entries) {
    index.reserve(entries.size());
    for (const Entry& entry : entries)
        index.emplace(entry.code, &entry);
}

template <typename Map, typename Key>
auto findIn(const Map& map, const Key& key) -> typename Map::mapped_type {
    const auto it = map.find(key);
    return it == map.end() ? nullptr : it->second;
}

} // namespace

struct Definitions::Tables {
    std::vector<OperationDef> operations;
    std::vector<MatchItem> matchItems;
    std::vector<VariableDef> variables;
    std::vector<EventDef> events;

    struct MatchList {
        std::vector<const MatchItem*> items; // file order
        NameIndex<const MatchItem*> byCode;
        std::unordered_map<std::int32_t, const MatchItem*> byValue;
    };

    NameIndex<const OperationDef*> operationByName;
    NameIndex<const VariableDef*> variableByName;
    NameIndex<const EventDef*> eventByName;
    NameIndex<MatchList> lists;
    std::unordered_map<std::uint16_t, const OperationDef*> operationByCode;
    std::unordered_map<std::uint16_t, const VariableDef*> variableByCode;
    std::unordered_map<std::uint16_t, const EventDef*> eventByCode;

    void addRecord(const PgcRecordView& record) {
        switch (record.kind) {
        case 1:
            if (auto op = makeOperation(record.fields))
                operations.push_back(std::move(*op));
            break;
        case 2:
            if (auto item = makeMatchItem(record.fields))
                matchItems.push_back(std::move(*item));
            break;
        case 3:
        case 4:
            if (auto variable = makeVariable(record.kind, record.fields))
                variables.push_back(std::move(*variable));
            break;
        case 5:
            if (auto event = makeEvent(record.fields))
                events.push_back(std::move(*event));
            break;
        default: // kinds 6..8 carry nothing the driver uses
            break;
        }
    }

    // Runs once the tables are complete: the indexes keep views and pointers into them.
    void buildIndexes() {
        indexByName(operationByName, operations);
        indexByName(variableByName, variables);
        indexByName(eventByName, events);
        indexByCode(operationByCode, operations);
        indexByCode(variableByCode, variables);
        indexByCode(eventByCode, events);
        for (const MatchItem& item : matchItems) {
            MatchList& list = lists[item.list];
            list.items.push_back(&item);
            list.byCode.emplace(item.code, &item);
            list.byValue.emplace(item.value, &item);
        }
    }

    const MatchList* findList(std::string_view name) const {
        const auto it = lists.find(name);
        return it == lists.end() ? nullptr : &it->second;
    }
};

Definitions::Definitions() : tables_(std::make_unique<Tables>()) {}
Definitions::~Definitions() = default;
Definitions::Definitions(Definitions&&) noexcept = default;
Definitions& Definitions::operator=(Definitions&&) noexcept = default;

Definitions Definitions::fromBytes(std::span<const std::uint8_t> bytes) {
    Definitions definitions;
    Tables& tables = *definitions.tables_;
    scanPgcRecords(bytes, kFieldsRead, [&tables](const PgcRecordView& record) { tables.addRecord(record); });
    tables.buildIndexes();
    return definitions;
}

Definitions Definitions::fromFile(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        return Definitions{};
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[64 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    // A read error (a folder, an I/O failure) loads nothing rather than a part.
    if (std::ferror(file.get()))
        return Definitions{};
    return fromBytes(bytes);
}

// A moved-from object reads as empty tables.
const Definitions::Tables& Definitions::tables() const {
    static const Tables empty;
    return tables_ ? *tables_ : empty;
}

const std::vector<OperationDef>& Definitions::operations() const {
    return tables().operations;
}
const std::vector<MatchItem>& Definitions::matchItems() const {
    return tables().matchItems;
}
const std::vector<VariableDef>& Definitions::variables() const {
    return tables().variables;
}
const std::vector<EventDef>& Definitions::events() const {
    return tables().events;
}

const EventDef* Definitions::findEvent(std::string_view name) const {
    return findIn(tables().eventByName, name);
}
const OperationDef* Definitions::findOperation(std::string_view name) const {
    return findIn(tables().operationByName, name);
}
const VariableDef* Definitions::findVariable(std::string_view name) const {
    return findIn(tables().variableByName, name);
}

const MatchItem* Definitions::findMatchItemByCode(std::string_view list, std::string_view code) const {
    const auto* items = tables().findList(list);
    return items ? findIn(items->byCode, code) : nullptr;
}

const MatchItem* Definitions::findMatchItemByValue(std::string_view list, std::int32_t value) const {
    const auto* items = tables().findList(list);
    return items ? findIn(items->byValue, value) : nullptr;
}

std::size_t Definitions::countMatchItems(std::string_view list) const {
    const auto* items = tables().findList(list);
    return items ? items->items.size() : 0;
}

const MatchItem* Definitions::matchItemAt(std::string_view list, std::size_t index) const {
    const auto* items = tables().findList(list);
    if (!items || index >= items->items.size())
        return nullptr;
    return items->items[index];
}

const OperationDef* Definitions::findOperationByCode(std::uint16_t code) const {
    return findIn(tables().operationByCode, code);
}
const EventDef* Definitions::findEventByCode(std::uint16_t code) const {
    return findIn(tables().eventByCode, code);
}
const VariableDef* Definitions::findVariableByCode(std::uint16_t code) const {
    return findIn(tables().variableByCode, code);
}

} // namespace lv
