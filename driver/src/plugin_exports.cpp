// The exported functions: argument conversion, dispatch, and the wall that keeps
// every C++ exception inside the plug-in.
#include "cells.h"
#include "command_table.h"
#include "device_commands.h"
#include "driver_context.h"

#include <cstring>
#include <exception>

using namespace lv;

namespace {

// Runs a body with the driver context. The error text of the previous call is
// cleared first; any exception ends the call with the given result and leaves
// its message for GetLastErrorText.
template <class Result, class Body> Result guarded(Result onFailure, Body&& body) {
    DriverContext* context = driverContext();
    if (!context)
        return onFailure;
    context->lastError.clear();
    try {
        return body(*context);
    } catch (const std::exception& error) {
        try {
            context->lastError = error.what();
        } catch (...) {
        }
    } catch (...) {
        context->lastError.clear();
    }
    // An exchange broke off: what the units are known to be is unsure now.
    context->rangeCache.forget();
    return onFailure;
}

std::string nameText(const LvCell* cell) {
    return cells::inputText(cell).value_or(std::string());
}

std::uint8_t queryParam(DriverContext& context, std::uint32_t number, LvCell* block) {
    if (number >= LV_COMMAND_COUNT)
        return LV_RESULT_UNSUPPORTED_COMMAND;
    if (!block)
        return LV_RESULT_UNINITIALIZED_POINTER;
    if (*block == 0) {
        auto& owned = context.descriptionBlocks[number];
        if (!owned)
            owned = std::make_unique<CommandDescription>();
        *block = reinterpret_cast<LvCell>(owned.get());
    }
    std::memcpy(reinterpret_cast<void*>(*block), &commandDescription(number), sizeof(CommandDescription));
    return LV_RESULT_OK;
}

std::uint8_t getLastPackets(const DriverContext& context, const LvCell* sent, const LvCell* received) {
    if (void* target = cells::address(sent))
        std::memcpy(target, &context.link.lastSent(), sizeof(Packet));
    if (void* target = cells::address(received))
        std::memcpy(target, &context.link.lastReceived(), sizeof(Packet));
    return LV_RESULT_OK;
}

std::uint8_t operation(DriverContext& context, OpStep step, LvCell* p1, LvCell* p2, LvCell* value,
                       std::uint8_t kind, LvCell* minimum = nullptr) {
    OperationRequest request;
    request.step = step;
    request.name = nameText(p1);
    request.target = cells::inputText(p2);
    request.value = value;
    request.kind = kind;
    request.minimum = minimum;
    return sendOperation(context, request);
}

std::uint8_t dispatch(DriverContext& context, std::uint32_t number, LvCell* p1, LvCell* p2, LvCell* p3,
                      LvCell* p4) {
    switch (number) {
    case LV_CMD_QUERY_PARAM:
        return queryParam(context, cells::unsignedValue(p1), p2);
    case LV_CMD_SEND_EVENT:
        return sendEvent(context, nameText(p1), cells::unsignedValue(p2));
    case LV_CMD_SEND_OP_SET_VALUE:
        return operation(context, OpStep::Set, p1, p2, p3, cells::unsignedValue(p4) & 0xFFu);
    case LV_CMD_SEND_OP_GET_VALUE:
        return operation(context, OpStep::Get, p1, p2, p3, cells::unsignedValue(p4) & 0xFFu);
    case LV_CMD_SEND_OP_INC_VALUE:
        return operation(context, OpStep::Increment, p1, p2, p3, LV_VALUE_IMMEDIATE);
    case LV_CMD_SEND_OP_DEC_VALUE:
        return operation(context, OpStep::Decrement, p1, p2, p3, LV_VALUE_IMMEDIATE);
    case LV_CMD_SEND_OP_EXECUTE: {
        LvCell unused = 0;
        return operation(context, OpStep::Execute, p1, p2, &unused, LV_VALUE_IMMEDIATE);
    }
    case LV_CMD_SEND_OP_IS_AVAIL:
        return operation(context, OpStep::IsAvailable, p1, p2, p3, LV_VALUE_IMMEDIATE);
    case LV_CMD_SEND_OP_RANGE_QUERY:
        return operation(context, OpStep::RangeQuery, p1, p2, p3, LV_VALUE_IMMEDIATE, p4);
    case LV_CMD_DETECT_PORT:
        return detectPort(context, p1);
    case LV_CMD_SEND_OEM:
        return sendOem(context, cells::unsignedValue(p1) & 0xFFFFu, cells::unsignedValue(p2) & 0xFFFFu,
                       static_cast<std::uint8_t*>(cells::address(p3)));
    case LV_CMD_VARIABLE_GET:
        return variableCommand(context, VariableStep::Get, nameText(p1), p2);
    case LV_CMD_VARIABLE_SET:
        return variableCommand(context, VariableStep::Set, nameText(p1), p2);
    case LV_CMD_VARIABLE_CLEAR:
        return variableCommand(context, VariableStep::Clear, nameText(p1), p2);
    case LV_CMD_VARIABLE_TOGGLE:
        return variableCommand(context, VariableStep::Toggle, nameText(p1), p2);
    case LV_CMD_SET_ANSWER_RX_STATUS:
        context.link.waitForAnswers = cells::unsignedValue(p1) != 0;
        return LV_RESULT_OK;
    case LV_CMD_GET_MATCH_LIST_ITEM_COUNT:
        return matchListItemCount(context, nameText(p1), p2);
    case LV_CMD_GET_MATCH_LIST_ITEM:
        return matchListItem(context, nameText(p1), cells::unsignedValue(p2), p3, p4);
    case LV_CMD_GET_LAST_PACKETS:
        return getLastPackets(context, p1, p2);
    case LV_CMD_SET_TEST_MODE_STATUS:
        context.link.testMode = cells::unsignedValue(p1) != 0;
        return LV_RESULT_OK;
    case kSetRangeCacheStatus:
        context.rangeCache.setEnabled(cells::unsignedValue(p1) != 0);
        return LV_RESULT_OK;
    case kSetTrafficTap:
        context.setTrafficTap(reinterpret_cast<LvTrafficTap>(cells::address(p1)), cells::address(p2));
        return LV_RESULT_OK;
    default:
        return LV_RESULT_UNSUPPORTED_COMMAND;
    }
}

} // namespace

extern "C" {

uint8_t LV_API GetPluginSupportInfo(LvCell* info) {
    return guarded<uint8_t>(LV_RESULT_IO_ERROR, [&](DriverContext& context) -> uint8_t {
        if (!info)
            return LV_RESULT_UNINITIALIZED_POINTER;
        if (*info == 0) {
            if (!context.infoBlock)
                context.infoBlock = std::make_unique<PluginInfo>();
            *info = reinterpret_cast<LvCell>(context.infoBlock.get());
        }
        PluginInfo record = pluginInfoTemplate();
        record.portCount = static_cast<uint32_t>(serialPortCount());
        std::memcpy(reinterpret_cast<void*>(*info), &record, sizeof record);
        return LV_RESULT_OK;
    });
}

uint8_t LV_API OpenHardwarePort(uint32_t port) {
    return guarded<uint8_t>(LV_RESULT_CANNOT_OPEN_PORT, [&](DriverContext& context) -> uint8_t {
        if (context.port->isOpen())
            return LV_RESULT_PORT_ALREADY_OPEN;
        openPortNumber(context, static_cast<uint8_t>(port & 0xFFu));
        return LV_RESULT_OK;
    });
}

uint8_t LV_API CloseHardwarePort(void) {
    return guarded<uint8_t>(LV_RESULT_CANNOT_CLOSE_PORT, [&](DriverContext& context) -> uint8_t {
        if (!context.port->isOpen())
            return LV_RESULT_PORT_ALREADY_CLOSED;
        context.rangeCache.forget();
        context.traffic.forgetUnit();
        context.port->close();
        return LV_RESULT_OK;
    });
}

uint8_t LV_API ExecutePluginFunctionByNumber(uint32_t number, LvCell* p1, LvCell* p2, LvCell* p3,
                                             LvCell* p4) {
    return guarded<uint8_t>(LV_RESULT_IO_ERROR, [&](DriverContext& context) -> uint8_t {
        // The added commands are reached by name only.
        if (number >= LV_COMMAND_COUNT)
            return LV_RESULT_UNSUPPORTED_COMMAND;
        return dispatch(context, number, p1, p2, p3, p4);
    });
}

uint8_t LV_API ExecutePluginFunctionByName(const uint8_t* name, LvCell* p1, LvCell* p2, LvCell* p3,
                                           LvCell* p4) {
    return guarded<uint8_t>(LV_RESULT_IO_ERROR, [&](DriverContext& context) -> uint8_t {
        if (!name)
            return LV_RESULT_UNSUPPORTED_COMMAND;
        const int number =
            commandNumberByName(std::string_view(reinterpret_cast<const char*>(name + 1), name[0]));
        if (number < 0)
            return LV_RESULT_UNSUPPORTED_COMMAND;
        return dispatch(context, static_cast<uint32_t>(number), p1, p2, p3, p4);
    });
}

uint32_t LV_API SendPacket(Packet* packet) {
    return guarded<uint32_t>(LV_LINK_NO_REPLY, [&](DriverContext& context) -> uint32_t {
        if (!packet)
            return LV_LINK_NO_REPLY;
        // A packet of the host's own may select other units or reset them.
        context.rangeCache.forget();
        return context.link.exchange(*packet);
    });
}

uint8_t LV_API GetLastErrorText(uint8_t* buffer) {
    DriverContext* context = driverContext();
    if (!buffer)
        return LV_RESULT_UNINITIALIZED_POINTER;
    const std::string_view text = context ? std::string_view(context->lastError) : std::string_view();
    const std::size_t length = std::min<std::size_t>(text.size(), 255);
    buffer[0] = static_cast<uint8_t>(length);
    std::memcpy(buffer + 1, text.data(), length);
    return LV_RESULT_OK;
}

} // extern "C"
