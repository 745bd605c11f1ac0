// Texts of the driver's result codes and the error box of a failed call.
#pragma once

#include "operator.h"

#include <cstdint>
#include <string>

namespace mlc {

// The code's own text ("Unknown" for codes without one).
std::string ResultCodeText(std::uint8_t code);

// "ERROR ($85): Unknown target identifier"; empty for the successes 0 and 128
// unless showSuccess is set.
std::string DriverResultText(std::uint8_t code, bool showSuccess);

inline bool IsDriverSuccess(std::uint8_t code) {
    return code == 0 || code == 128;
}

// DriverResultText with a non-empty detail on a line of its own (empty for a success).
std::string DriverResultMessage(std::uint8_t code, bool showSuccess, const std::string& detail = {});

// Shows DriverResultText as an error box when it is not empty; true when shown.
// A non-empty detail (the driver's own message for a serial error) follows the
// standard text on a line of its own: "ERROR ($05): Read/Write error on hardware
// communication interface\r\nPurgeComm function failed (errno 9: Bad file descriptor)".
bool ShowDriverResult(Operator& op, std::uint8_t code, bool showSuccess, const std::string& detail = {});

} // namespace mlc
