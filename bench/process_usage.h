// What this process uses, for the benchmarks that report it: processor time and
// resident memory.
#pragma once

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace bench {

// The processor time this process has used, in seconds (other work on a shared
// machine does not add to it).
inline double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The resident memory in KiB, -1 when it cannot be read.
inline long residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

} // namespace bench
