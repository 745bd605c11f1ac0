// The process's resident memory, for the benchmarks that report it.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

namespace bench {

// VmRSS of /proc/self/status in KiB, -1 when it cannot be read.
inline long residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

} // namespace bench
