// The bodies of the commands that talk to the units. The dispatch has already
// turned the caller's cells into names and numbers; output cells are passed on.
// Each returns a result code (LV_RESULT_*); serial port failures propagate as
// SerialPortError.
#pragma once

#include "driver_context.h"
#include "lvdriver.h"
#include "payload_layout.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lv {

struct OperationRequest {
    OpStep step = OpStep::Execute;
    std::string name;
    std::optional<std::string> target; // none: the caller passed no target
    LvCell* value = nullptr;           // value, step, flags or (range query) maximum
    std::uint8_t kind = LV_VALUE_IMMEDIATE;
    LvCell* minimum = nullptr; // range query only
};

enum class VariableStep : std::uint8_t { Get = 1, Set = 2, Clear = 3, Toggle = 4 };

std::uint8_t sendEvent(DriverContext& context, const std::string& name, std::uint32_t parameter);
std::uint8_t sendOperation(DriverContext& context, const OperationRequest& request);
std::uint8_t detectPort(DriverContext& context, LvCell* portFound);
std::uint8_t sendOem(DriverContext& context, std::uint16_t id, std::uint16_t size, std::uint8_t* data);
std::uint8_t variableCommand(DriverContext& context, VariableStep step, const std::string& name,
                             LvCell* value);
std::uint8_t matchListItemCount(DriverContext& context, const std::string& list, LvCell* count);
std::uint8_t matchListItem(DriverContext& context, const std::string& list, std::uint32_t index, LvCell* code,
                           LvCell* description);

// The link code of an exchange as the result of a device command: acknowledge
// and packet reply are success, everything else a read/write error.
inline std::uint8_t deviceOutcome(std::uint32_t link) {
    const std::uint8_t code = static_cast<std::uint8_t>(link & 0xFFu);
    return code == LV_LINK_ACK || code == LV_LINK_PACKET ? LV_RESULT_DEVICE_OK : LV_RESULT_IO_ERROR;
}

} // namespace lv
