// The seven operation commands: one body, told apart by the step.
#include "device_commands.h"

#include "cells.h"
#include "conversions.h"
#include "little_endian.h"

namespace lv {
namespace {

namespace layout = op_payload;

bool isExecuteOnly(ValueType type) {
    return type == ValueType::Execute || type == ValueType::MenuNav || type == ValueType::Toggle;
}

bool isKnownType(ValueType type) {
    return static_cast<std::uint8_t>(type) <= static_cast<std::uint8_t>(ValueType::Toggle);
}

// What a command has gathered before its packet goes out.
struct Prepared {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::uint32_t target = 0;
    std::int32_t value = 0; // the value to set
    std::int32_t step = 0;  // increment or decrement
};

// Runs a range query for the operation and takes the unit's minimum and maximum
// when it answers with them; a failed query's result ends the command. While the
// host has the ranges remembered, a unit's range is asked for once.
std::uint8_t queryRange(DriverContext& context, const OperationDef& operation,
                        const OperationRequest& request, Prepared& prepared) {
    // In test mode or without answers the file's range stands in for the unit's.
    const bool fromUnit = !context.link.testMode && context.link.waitForAnswers;
    if (const auto known =
            fromUnit ? context.rangeCache.find(operation.code, prepared.target) : std::nullopt) {
        prepared.minimum = known->minimum;
        prepared.maximum = known->maximum;
        return LV_RESULT_OK;
    }
    LvCell maximum = 0, minimum = 0;
    cells::putSigned(&maximum, prepared.maximum);
    cells::putSigned(&minimum, prepared.minimum);
    OperationRequest query;
    query.step = OpStep::RangeQuery;
    query.name = request.name;
    query.target = request.target;
    query.value = &maximum;
    query.kind = LV_VALUE_IMMEDIATE;
    query.minimum = &minimum;
    const std::uint8_t result = sendOperation(context, query);
    if (result != LV_RESULT_OK && result != LV_RESULT_DEVICE_OK)
        return result;
    prepared.maximum = cells::signedValue(&maximum);
    prepared.minimum = cells::signedValue(&minimum);
    if (fromUnit)
        context.rangeCache.remember(operation.code, prepared.target, {prepared.minimum, prepared.maximum});
    return LV_RESULT_OK;
}

std::uint8_t resolveTarget(const Definitions& definitions, const OperationDef& operation,
                           const OperationRequest& request, Prepared& prepared) {
    if (operation.targetList.empty())
        return request.target ? LV_RESULT_TARGET_NOT_EXPECTED : LV_RESULT_OK;
    if (!request.target)
        return LV_RESULT_TARGET_MISSING;
    const MatchItem* item = definitions.findMatchItemByCode(operation.targetList, *request.target);
    if (!item)
        return LV_RESULT_UNKNOWN_TARGET;
    prepared.target = static_cast<std::uint32_t>(item->value);
    return LV_RESULT_OK;
}

std::uint8_t prepareSet(DriverContext& context, const OperationDef& operation,
                        const OperationRequest& request, const std::string& identifier, Prepared& prepared) {
    const std::int32_t input = cells::signedValue(request.value);
    switch (operation.valueType) {
    case ValueType::Pot: {
        if (const std::uint8_t result = queryRange(context, operation, request, prepared))
            return result;
        if (request.kind == LV_VALUE_IMMEDIATE) {
            // An immediate value is checked against the unshifted range.
            if (input < prepared.minimum || input > prepared.maximum)
                return LV_RESULT_VALUE_OUT_OF_RANGE;
            prepared.value = input;
        } else if (request.kind == LV_VALUE_PERCENTAGE) {
            prepared.value = PercentToRange(prepared.minimum, prepared.maximum, input);
        } else {
            return LV_RESULT_STRING_NOT_ACCEPTED;
        }
        return LV_RESULT_OK;
    }
    case ValueType::Value: {
        if (request.kind == LV_VALUE_IMMEDIATE)
            return LV_RESULT_IMMEDIATE_NOT_ACCEPTED;
        if (request.kind == LV_VALUE_PERCENTAGE)
            return LV_RESULT_PERCENTAGE_NOT_ACCEPTED;
        const MatchItem* item = context.definitions.findMatchItemByCode(operation.valueList, identifier);
        if (!item)
            return LV_RESULT_UNKNOWN_VALUE;
        prepared.value = item->value;
        return LV_RESULT_OK;
    }
    default:
        return isKnownType(operation.valueType) ? LV_RESULT_EXECUTE_ONLY : LV_RESULT_UNKNOWN_OPERATION_TYPE;
    }
}

// The checks and preparation that depend on the step and the value type.
std::uint8_t prepare(DriverContext& context, const OperationDef& operation, const OperationRequest& request,
                     const std::string& identifier, Prepared& prepared) {
    switch (request.step) {
    case OpStep::Set:
        return prepareSet(context, operation, request, identifier, prepared);
    case OpStep::Get:
        if (isExecuteOnly(operation.valueType))
            return LV_RESULT_EXECUTE_ONLY;
        if (operation.valueType == ValueType::Pot)
            return queryRange(context, operation, request, prepared);
        return LV_RESULT_OK;
    case OpStep::Increment:
    case OpStep::Decrement:
        if (isExecuteOnly(operation.valueType))
            return LV_RESULT_EXECUTE_ONLY;
        prepared.step = cells::signedValue(request.value);
        return LV_RESULT_OK;
    case OpStep::Execute:
        if (operation.valueType == ValueType::Pot || operation.valueType == ValueType::Value)
            return LV_RESULT_VALUE_ONLY;
        return LV_RESULT_OK;
    default:
        return LV_RESULT_OK;
    }
}

// A get answered with a packet: the current value, in the form the caller asked for.
std::uint8_t deliverValue(const Definitions& definitions, const OperationDef& operation,
                          const OperationRequest& request, const Prepared& prepared, const Packet& reply) {
    const std::int32_t value = static_cast<std::int32_t>(getLe32(reply.payload + layout::kValue));
    const bool pot = operation.valueType == ValueType::Pot;
    switch (request.kind) {
    case LV_VALUE_IMMEDIATE:
        if (!pot)
            return LV_RESULT_IMMEDIATE_NOT_ACCEPTED;
        cells::putSigned(request.value, value);
        return LV_RESULT_DEVICE_OK;
    case LV_VALUE_PERCENTAGE:
        if (!pot)
            return LV_RESULT_PERCENTAGE_NOT_ACCEPTED;
        cells::putSigned(request.value, RangeToPercent(prepared.minimum, prepared.maximum, value));
        return LV_RESULT_DEVICE_OK;
    default: {
        if (pot)
            return LV_RESULT_STRING_NOT_ACCEPTED;
        const MatchItem* item = definitions.findMatchItemByValue(operation.valueList, value);
        if (!item)
            return LV_RESULT_UNKNOWN_VALUE;
        cells::writeOutputText(request.value, item->code);
        return LV_RESULT_DEVICE_OK;
    }
    }
}

std::uint8_t deliverReply(const Definitions& definitions, const OperationDef& operation,
                          const OperationRequest& request, const Prepared& prepared, const Packet& reply) {
    switch (request.step) {
    case OpStep::Get:
        return deliverValue(definitions, operation, request, prepared, reply);
    case OpStep::IsAvailable:
        cells::putUnsigned(request.value, getLe16(reply.payload + layout::kFlags));
        return LV_RESULT_DEVICE_OK;
    case OpStep::RangeQuery:
        cells::putSigned(request.value, static_cast<std::int32_t>(getLe32(reply.payload + layout::kMaximum)));
        cells::putSigned(request.minimum,
                         static_cast<std::int32_t>(getLe32(reply.payload + layout::kMinimum)));
        return LV_RESULT_DEVICE_OK;
    default:
        return LV_RESULT_DEVICE_OK;
    }
}

} // namespace

std::uint8_t sendOperation(DriverContext& context, const OperationRequest& request) {
    const Definitions& definitions = context.definitions;
    const OperationDef* operation = definitions.findOperation(request.name);
    if (!operation)
        return LV_RESULT_UNKNOWN_OPERATION;
    Prepared prepared;
    prepared.minimum = operation->rangeMin;
    prepared.maximum = operation->rangeMax;
    if (const std::uint8_t result = resolveTarget(definitions, *operation, request, prepared))
        return result;

    // Only a set reads an identifier; a get's P3 is the buffer the answer goes to.
    std::string identifier;
    if (request.kind == LV_VALUE_IDENTIFIER) {
        if (request.step == OpStep::Set)
            identifier = cells::inputText(request.value).value_or(std::string());
    } else if (request.kind != LV_VALUE_IMMEDIATE && request.kind != LV_VALUE_PERCENTAGE) {
        return LV_RESULT_UNKNOWN_PARAMETER_TYPE;
    }
    if (const std::uint8_t result = prepare(context, *operation, request, identifier, prepared))
        return result;

    auto packet = makePacket();
    packet->type = LV_PACKET_TYPE_OPERATION;
    packet->length = layout::kSize;
    packet->payload[layout::kStep] = static_cast<std::uint8_t>(request.step);
    putLe16(packet->payload + layout::kCode, operation->code);
    putLe32(packet->payload + layout::kTarget, prepared.target);
    if (request.step == OpStep::Set)
        putLe32(packet->payload + layout::kValue, static_cast<std::uint32_t>(prepared.value));
    if (request.step == OpStep::Increment || request.step == OpStep::Decrement)
        putLe32(packet->payload + layout::kIncrement, static_cast<std::uint32_t>(prepared.step));

    const std::uint8_t link = context.link.exchange(*packet) & 0xFFu;
    std::uint8_t result = LV_RESULT_IO_ERROR;
    if (link == LV_LINK_ACK)
        result = LV_RESULT_DEVICE_OK;
    else if (link == LV_LINK_PACKET)
        result = deliverReply(definitions, *operation, request, prepared, *packet);
    context.rangeCache.noteOperation(*operation, request.step, prepared.value, result);
    return result;
}

} // namespace lv
