// Commands that work on the definition tables: events, operations, variables
// and match lists. Until the tables are loaded they answer as for empty tables.
#include "device_commands.h"

#include "cells.h"

namespace lv {

std::uint8_t sendEvent(DriverContext&, const std::string&, std::uint32_t) {
    return LV_RESULT_UNKNOWN_EVENT;
}

std::uint8_t sendOperation(DriverContext&, const OperationRequest&) {
    return LV_RESULT_UNKNOWN_OPERATION;
}

std::uint8_t variableCommand(DriverContext&, VariableStep, const std::string&, LvCell*) {
    return LV_RESULT_UNKNOWN_VARIABLE;
}

std::uint8_t matchListItemCount(DriverContext&, const std::string&, LvCell* count) {
    cells::putUnsigned(count, 0);
    return LV_RESULT_OK;
}

std::uint8_t matchListItem(DriverContext&, const std::string&, std::uint32_t, LvCell*, LvCell*) {
    return LV_RESULT_INDEX_OUT_OF_RANGE;
}

} // namespace lv
