#include "app/time_of_day.h"

#include <sys/time.h>
#include <time.h>

namespace mlc {

double LocalTimeOfDay() {
    timeval now{};
    ::gettimeofday(&now, nullptr);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + now.tv_usec / 1e6;
    return seconds / 86400.0;
}

double MonotonicSeconds() {
    timespec now{};
    // CLOCK_BOOTTIME also counts time spent suspended, as the time of day does.
#ifdef CLOCK_BOOTTIME
    if (::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
#endif
        ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

ClockReading ReadClocks() {
    return {LocalTimeOfDay(), MonotonicSeconds()};
}

} // namespace mlc
