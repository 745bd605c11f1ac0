#include "state_text.h"

#include "conversions.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

namespace mlemu {

namespace {

std::string targetText(const UnitCatalog& catalog, const OpInfo& op, std::int32_t target) {
    if (!op.targets)
        return "-";
    const std::string name = catalog.targetName(op, target);
    return name.empty() ? "#" + std::to_string(target) : name;
}

std::string valueText(const UnitCatalog& catalog, const OpInfo& op, std::int32_t value) {
    std::string text = std::to_string(value);
    // The percentage the driver reads back from this value.
    if (op.def->valueType == lv::ValueType::Pot)
        text += " percent=" + std::to_string(lv::RangeToPercent(op.rangeMin, op.rangeMax, value));
    const std::string item = catalog.valueName(op, value);
    if (!item.empty())
        text += " item=" + item;
    return text;
}

const char* changeName(lv::OpStep sub) {
    switch (sub) {
    case lv::OpStep::Set:
        return "set";
    case lv::OpStep::Increment:
        return "inc";
    case lv::OpStep::Decrement:
        return "dec";
    default:
        return "?";
    }
}

void writeValues(std::ostringstream& out, const UnitCatalog& catalog, const Unit& unit,
                 const std::string& prefix, bool withMemorySelect,
                 const std::function<std::int32_t(std::uint16_t, std::int32_t)>& valueOf) {
    for (const OpInfo* op : catalog.valueOperations()) {
        if (op->role != OpRole::Plain && !(withMemorySelect && op->role == OpRole::MemorySelect))
            continue;
        const OpInfo& own = *unit.operationInfo(op->def->code); // the unit's range
        for (std::int32_t target : op->targetValues())
            out << prefix << op->def->name << ' ' << targetText(catalog, *op, target) << ' '
                << valueText(catalog, own, valueOf(op->def->code, target)) << '\n';
    }
}

} // namespace

std::string formatState(const UnitCatalog& catalog, const Chain& chain, double seconds) {
    std::ostringstream out;
    char head[64];
    std::snprintf(head, sizeof head, "t=%.6f", seconds);
    out << "mlemu-state " << head << " units=" << chain.units().size() << " selection=";
    switch (chain.selection()) {
    case Chain::Selection::None:
        out << "none";
        break;
    case Chain::Selection::One:
        out << chain.selectedId();
        break;
    case Chain::Selection::All:
        out << "all";
        break;
    }
    out << '\n';
    for (const Unit& unit : chain.units()) {
        const std::string id = "unit " + std::to_string(unit.id()) + ' ';
        out << id << "queue " << (unit.queueOpen() ? "open" : "closed") << ' ' << unit.queue().size() << '\n';
        for (const QueuedChange& change : unit.queue()) {
            const OpInfo* op = catalog.operation(change.code);
            if (!op)
                continue;
            out << id << "queued " << op->def->name << ' ' << targetText(catalog, *op, change.target) << ' '
                << changeName(change.sub) << ' ' << change.amount << '\n';
        }
        out << id << "memory-chosen " << unit.chosenMemory() << '\n';
        writeValues(out, catalog, unit, id + "value ", true,
                    [&unit](std::uint16_t code, std::int32_t target) { return unit.value(code, target); });
        for (std::size_t m = 0; m < unit.memories().size(); ++m) {
            const auto& memory = unit.memories()[m];
            if (!memory)
                continue;
            writeValues(out, catalog, unit, id + "memory " + std::to_string(m + 1) + ' ', false,
                        [&](std::uint16_t code, std::int32_t target) {
                            const auto it = memory->find({code, target});
                            if (it != memory->end())
                                return it->second;
                            const OpInfo* op = unit.operationInfo(code);
                            return op ? op->factory : 0;
                        });
        }
        for (const lv::VariableDef& variable : catalog.definitions().variables()) {
            if (catalog.variable(variable.code) != &variable)
                continue;
            const auto it = unit.variables().find(variable.code);
            out << id << "variable " << variable.name << ' '
                << (it == unit.variables().end() ? 0 : it->second) << '\n';
        }
        out << id << "events " << unit.eventCount() << '\n';
        for (const ReceivedEvent& event : unit.events()) {
            const lv::EventDef* def = catalog.event(event.code);
            out << id << "event " << (def ? def->name : "#" + std::to_string(event.code)) << ' '
                << event.parameter << '\n';
        }
    }
    return out.str();
}

bool writeFileAtomically(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        file << text;
        if (!file.flush())
            return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace mlemu
