#include "conversions.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace lv {
namespace {

constexpr bool kLongDoubleIsExtended = std::numeric_limits<long double>::digits == 64;

using Wide = unsigned __int128;

// A non-negative number mantissa * 2^exponent with a normalised 64-bit mantissa
// (top bit set), or zero.
struct Extended {
    std::uint64_t mantissa = 0;
    int exponent = 0;
};

int bitLength(Wide value) {
    const auto high = static_cast<std::uint64_t>(value >> 64);
    if (high != 0)
        return 128 - std::countl_zero(high);
    return 64 - std::countl_zero(static_cast<std::uint64_t>(value));
}

// Rounds value * 2^exponent to 64 significant bits, to nearest and ties to even.
// `inexact` says that nonzero bits below `value` were already dropped; callers
// keep more than 64 bits in `value` whenever that is set.
Extended roundToExtended(Wide value, int exponent, bool inexact) {
    if (value == 0)
        return {};
    const int length = bitLength(value);
    if (length <= 64) {
        const int shift = 64 - length;
        return {static_cast<std::uint64_t>(value << shift), exponent - shift};
    }
    const int shift = length - 64;
    auto mantissa = static_cast<std::uint64_t>(value >> shift);
    const Wide dropped = value & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    const bool roundUp = dropped > half || (dropped == half && (inexact || (mantissa & 1) != 0));
    exponent += shift;
    if (roundUp && ++mantissa == 0) {
        mantissa = std::uint64_t{1} << 63;
        ++exponent;
    }
    return {mantissa, exponent};
}

// a / b for a, b > 0, correctly rounded.
Extended divide(std::uint64_t a, std::uint64_t b) {
    // Put a's top bit at bit 126 so that the integer quotient keeps far more than 64 bits.
    const int shift = 127 - bitLength(a);
    const Wide numerator = Wide{a} << shift;
    const Wide quotient = numerator / b;
    return roundToExtended(quotient, -shift, numerator % b != 0);
}

// x * c for c > 0, correctly rounded; the product of 64 and 64 bits is exact in 128.
Extended multiply(Extended x, std::uint64_t c) {
    return roundToExtended(Wide{x.mantissa} * c, x.exponent, false);
}

std::uint64_t truncate(Extended x) {
    if (x.mantissa == 0 || x.exponent <= -64)
        return 0;
    if (x.exponent < 0)
        return x.mantissa >> -x.exponent;
    return x.mantissa << x.exponent; // not reached for magnitudes below 2^40
}

std::uint64_t magnitude(std::int64_t v) {
    return v < 0 ? ~static_cast<std::uint64_t>(v) + 1 : static_cast<std::uint64_t>(v);
}

struct Range {
    std::int64_t lo;
    std::int64_t hi;
};

// A negative minimum moves the range to start at 0. 64 bits hold max - min.
Range deviceRange(std::int32_t min, std::int32_t max) {
    if (min < 0)
        return {0, std::int64_t{max} - min};
    return {min, max};
}

using Scale = std::int64_t (*)(std::int64_t, std::int64_t, std::int64_t);

// The device value goes out as 32 bits; a shifted range wider than 2^31 wraps.
std::int32_t toCell(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::int32_t percentToRange(Scale scale, std::int32_t min, std::int32_t max, std::int32_t percent) {
    const std::int64_t p = std::clamp(percent, 0, kPercentFull);
    const Range range = deviceRange(min, max);
    if (p <= 0)
        return toCell(range.lo);
    return toCell(range.lo + scale(p, kPercentFull, range.hi - range.lo));
}

std::int32_t rangeToPercent(Scale scale, std::int32_t min, std::int32_t max, std::int32_t value) {
    const Range range = deviceRange(min, max);
    const std::int64_t offset = std::int64_t{value} - range.lo;
    const std::int64_t width = range.hi - range.lo;
    if (offset == 0 || width == 0)
        return 0;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(scale(offset, width, kPercentFull), 0, kPercentFull));
}

constexpr Scale kNativeScale = kLongDoubleIsExtended ? detail::scaleWithLongDouble : detail::scaleEmulated;

} // namespace

namespace detail {

std::int64_t scaleWithLongDouble(std::int64_t a, std::int64_t b, std::int64_t c) {
    // Two separate statements: the quotient is rounded before the product is formed.
    const long double quotient = static_cast<long double>(a) / static_cast<long double>(b);
    const long double product = quotient * static_cast<long double>(c);
    return static_cast<std::int64_t>(product);
}

std::int64_t scaleEmulated(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (a == 0 || c == 0)
        return 0;
    const bool negative = ((a < 0) != (b < 0)) != (c < 0);
    const auto result =
        static_cast<std::int64_t>(truncate(multiply(divide(magnitude(a), magnitude(b)), magnitude(c))));
    return negative ? -result : result;
}

std::int32_t percentToRangeEmulated(std::int32_t min, std::int32_t max, std::int32_t percent) {
    return percentToRange(scaleEmulated, min, max, percent);
}

std::int32_t rangeToPercentEmulated(std::int32_t min, std::int32_t max, std::int32_t value) {
    return rangeToPercent(scaleEmulated, min, max, value);
}

} // namespace detail

std::int32_t PercentToRange(std::int32_t min, std::int32_t max, std::int32_t percent) {
    return percentToRange(kNativeScale, min, max, percent);
}

std::int32_t RangeToPercent(std::int32_t min, std::int32_t max, std::int32_t value) {
    return rangeToPercent(kNativeScale, min, max, value);
}

} // namespace lv
