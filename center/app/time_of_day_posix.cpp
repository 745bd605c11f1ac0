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

} // namespace mlc
