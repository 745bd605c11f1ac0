#include "binding/driver_result.h"

#include <cstdio>

namespace mlc {

namespace {

const char* const kCommandFailureTexts[] = {
    "The specified event code is unknown",                         // 129
    "The specified operation code is unknown",                     // 130
    "Target not expected for this operation",                      // 131
    "Target missing",                                              // 132
    "Unknown target identifier",                                   // 133
    "Operation type unknown",                                      // 134
    "Parameter type unknown",                                      // 135
    "String identifier not accepted for this operation",           // 136
    "Percentage parameter not accepted for this operation",        // 137
    "Immediate integer parameter not accepted for this operation", // 138
    "Value out of range",                                          // 139
    "Unknown value identifier",                                    // 140
    "This operation can be executed only",                         // 141
    "This operation can be only handled as a value",               // 142
    "OEM packet payload too large",                                // 143
    "OEM data block parameter is missing",                         // 144
    "Unknown variable identifier",                                 // 145
    "The specified variable is of a wrong type",                   // 146
    "Index out of range",                                          // 147
};

const char* const kInterfaceTexts[] = {
    "No error",                                             // 0
    "Cannot open communication port",                       // 1
    "Cannot close communication port",                      // 2
    "Communication port already open",                      // 3
    "Communication port already closed",                    // 4
    "Read/Write error on hardware communication interface", // 5
    "Unsupported command",                                  // 6
    "Uninitialized pointer",                                // 7
    "Access violation",                                     // 8
};

} // namespace

std::string ResultCodeText(std::uint8_t code) {
    if (code <= 8)
        return kInterfaceTexts[code];
    if (code == 128)
        return "Operation executed on hardware device";
    if (code >= 129 && code <= 147)
        return kCommandFailureTexts[code - 129];
    return "Unknown";
}

std::string DriverResultText(std::uint8_t code, bool showSuccess) {
    if (IsDriverSuccess(code) && !showSuccess)
        return {};
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(code));
    return "ERROR ($" + std::string(hex) + "): " + ResultCodeText(code);
}

std::string DriverResultMessage(std::uint8_t code, bool showSuccess, const std::string& detail) {
    std::string text = DriverResultText(code, showSuccess);
    if (!text.empty() && !detail.empty())
        text += "\r\n" + detail;
    return text;
}

bool ShowDriverResult(Operator& op, std::uint8_t code, bool showSuccess, const std::string& detail) {
    const std::string text = DriverResultMessage(code, showSuccess, detail);
    if (text.empty())
        return false;
    op.showMessage(MessageKind::Error, text);
    return true;
}

} // namespace mlc
