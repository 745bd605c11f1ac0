// Commands that work on the definition tables alone or with one simple packet:
// events, variables and match lists.
#include "device_commands.h"

#include "cells.h"
#include "little_endian.h"
#include "payload_layout.h"

namespace lv {
namespace {

constexpr std::uint16_t kVariableTrue = 0xFFFF;

} // namespace

std::uint8_t sendEvent(DriverContext& context, const std::string& name, std::uint32_t parameter) {
    const EventDef* event = context.definitions.findEvent(name);
    if (!event)
        return LV_RESULT_UNKNOWN_EVENT;
    auto packet = makePacket();
    packet->type = LV_PACKET_TYPE_EVENT;
    packet->length = event_payload::kSize;
    putLe16(packet->payload + event_payload::kCode, event->code);
    putLe32(packet->payload + event_payload::kParameter, parameter);
    return deviceOutcome(context.link.exchange(*packet));
}

std::uint8_t variableCommand(DriverContext& context, VariableStep step, const std::string& name,
                             LvCell* value) {
    const VariableDef* variable = context.definitions.findVariable(name);
    if (!variable)
        return LV_RESULT_UNKNOWN_VARIABLE;
    if (variable->type != 0)
        return LV_RESULT_WRONG_VARIABLE_TYPE;
    auto packet = makePacket();
    packet->type = LV_PACKET_TYPE_VARIABLE;
    packet->length = variable_payload::kSize;
    packet->payload[variable_payload::kStep] = static_cast<std::uint8_t>(step);
    packet->payload[variable_payload::kClass] = variable->classFlag;
    putLe16(packet->payload + variable_payload::kCode, variable->code);
    // Only the low 16 bits of the new value count.
    const bool setTrue = step == VariableStep::Set && (cells::unsignedValue(value) & 0xFFFFu) != 0;
    putLe16(packet->payload + variable_payload::kValue, setTrue ? kVariableTrue : 0);

    const std::uint32_t link = context.link.exchange(*packet);
    if ((link & 0xFFu) == LV_LINK_PACKET)
        cells::putUnsigned(value,
                           getLe16(packet->payload + variable_payload::kValue) != 0 ? kVariableTrue : 0u);
    return deviceOutcome(link);
}

std::uint8_t matchListItemCount(DriverContext& context, const std::string& list, LvCell* count) {
    cells::putUnsigned(count, static_cast<std::uint32_t>(context.definitions.countMatchItems(list)));
    return LV_RESULT_OK;
}

std::uint8_t matchListItem(DriverContext& context, const std::string& list, std::uint32_t index, LvCell* code,
                           LvCell* description) {
    if (index >= context.definitions.countMatchItems(list))
        return LV_RESULT_INDEX_OUT_OF_RANGE;
    const MatchItem* item = context.definitions.matchItemAt(list, index);
    if (!item)
        return LV_RESULT_INDEX_OUT_OF_RANGE;
    cells::writeOutputText(code, item->code);
    cells::writeOutputText(description, item->description);
    return LV_RESULT_OK;
}

} // namespace lv
