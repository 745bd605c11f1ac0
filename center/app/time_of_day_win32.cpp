#include "app/time_of_day.h"

#include <windows.h>

namespace mlc {

double LocalTimeOfDay() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const double seconds = now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1e3;
    return seconds / 86400.0;
}

double MonotonicSeconds() {
    // The tick count goes on while the machine sleeps, as the time of day does.
    return static_cast<double>(::GetTickCount64()) / 1e3;
}

ClockReading ReadClocks() {
    return {LocalTimeOfDay(), MonotonicSeconds()};
}

} // namespace mlc
