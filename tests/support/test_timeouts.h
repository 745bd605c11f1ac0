// The driver's time-out scale for tests. Tests shorten the time-outs so that a
// silent unit costs little; MARLUNE_TEST_SLOWDOWN (a factor from 1 to 100, default
// 1) lengthens them again where every byte travels slower, as under Wine, whose
// serial ports reach the emulated units through a relay, so that a loaded machine
// does not turn a late byte into a failed test.
#pragma once

#include <cmath>
#include <cstdlib>
#include <string>

namespace testsupport {

inline std::string timeoutScale(double scale) {
    double slowdown = 1.0;
    if (const char* text = std::getenv("MARLUNE_TEST_SLOWDOWN")) {
        char* end = nullptr;
        const double factor = std::strtod(text, &end);
        if (end != text && *end == '\0' && std::isfinite(factor) && factor >= 1.0 && factor <= 100.0)
            slowdown = factor;
    }
    return std::to_string(scale * slowdown);
}

} // namespace testsupport
