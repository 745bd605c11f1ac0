#include "serial_port.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lv {
namespace {

std::string messageFor(SerialErrorCode code, int systemError, const std::string& context) {
    return serialErrorText(code) + context + " (" + systemErrorText(systemError) + ")";
}

long long scaled(double factor, long long ms) {
    return std::llround(static_cast<double>(ms) * factor);
}

} // namespace

const char* serialErrorText(SerialErrorCode code) {
    switch (code) {
    case SerialErrorCode::Open:
        return "Unable to open com port";
    case SerialErrorCode::Write:
        return "WriteFile function failed";
    case SerialErrorCode::Read:
        return "ReadFile function failed";
    case SerialErrorCode::Purge:
        return "PurgeComm function failed";
    case SerialErrorCode::LineSettings:
        return "SetCommState function failed";
    case SerialErrorCode::Timeouts:
        return "SetCommTimeouts failed";
    case SerialErrorCode::BufferSizes:
        return "SetupComm function failed";
    case SerialErrorCode::LineStatus:
        return "ClearCommError function failed";
    }
    return "Serial port failure";
}

SerialPortError::SerialPortError(SerialErrorCode code, int systemError, const std::string& context)
    : std::runtime_error(messageFor(code, systemError, context)), code_(code) {}

SerialPortError::SerialPortError(SerialErrorCode code, const std::string& context)
    : std::runtime_error(serialErrorText(code) + context), code_(code) {}

SerialPortError::SerialPortError(SerialErrorCode code)
    : std::runtime_error(serialErrorText(code)), code_(code) {}

TimeoutScale TimeoutScale::fromEnvironment() {
    TimeoutScale scale;
    if (const char* text = std::getenv("LVDRIVER_TIMEOUT_SCALE")) {
        char* end = nullptr;
        const double factor = std::strtod(text, &end);
        // Anything unreadable, negative or absurd keeps the product's time-outs.
        if (end != text && *end == '\0' && std::isfinite(factor) && factor >= 0.0 && factor <= 1000.0)
            scale.factor = factor;
    }
    return scale;
}

long long LineTimeouts::readTotalMs(std::size_t n) const {
    return scaled(scale.factor, kReadTotalBaseMs + kReadTotalPerByteMs * static_cast<long long>(n));
}

long long LineTimeouts::readIntervalMs() const {
    return scaled(scale.factor, kReadIntervalMs);
}

long long LineTimeouts::writeTotalMs(std::size_t n) const {
    return scaled(scale.factor, kWriteTotalBaseMs + kWriteTotalPerByteMs * static_cast<long long>(n));
}

} // namespace lv
