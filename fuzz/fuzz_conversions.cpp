// The integer emulation of the extended-precision conversions must agree with
// long double wherever long double is the x87 extended format.
#include "conversions.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int32_t v[3];
    if (size < sizeof v)
        return 0;
    std::memcpy(v, data, sizeof v);
    const std::int32_t toRange = lv::PercentToRange(v[0], v[1], v[2]);
    const std::int32_t toPercent = lv::RangeToPercent(v[0], v[1], v[2]);
    if (toPercent < 0 || toPercent > lv::kPercentFull)
        std::abort();
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        if (toRange != lv::detail::percentToRangeEmulated(v[0], v[1], v[2]) ||
            toPercent != lv::detail::rangeToPercentEmulated(v[0], v[1], v[2]))
            std::abort();
    }
    return 0;
}
