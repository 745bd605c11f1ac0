// Mapping between percentages (0..100000 for 0..100 %) and a unit's value range.
//
// Both directions compute quotient first and product second, each rounded to a
// 64-bit mantissa (the x87 extended format), then truncate toward zero. The exact
// rounding matters: PercentToRange(0, 100, 53000) is 52, not 53, and units and
// stored settings depend on these very numbers.
#pragma once

#include <cstdint>

namespace lv {

inline constexpr std::int32_t kPercentFull = 100000;

// Percentage (clamped to 0..100000) to a device value in min..max. A negative
// minimum shifts the range to 0..(max - min).
std::int32_t PercentToRange(std::int32_t min, std::int32_t max, std::int32_t percent);

// Device value to a percentage 0..100000; with a negative minimum the range is
// 0..(max - min) and the value is taken as it is.
std::int32_t RangeToPercent(std::int32_t min, std::int32_t max, std::int32_t value);

namespace detail {

// trunc(a / b * c) with both steps rounded to nearest (ties to even) at 64-bit
// mantissa precision; b != 0 and all magnitudes below 2^40.
// The first uses long double and is only exact where it is the x87 extended
// format; the second reproduces that rounding with integer arithmetic anywhere.
std::int64_t scaleWithLongDouble(std::int64_t a, std::int64_t b, std::int64_t c);
std::int64_t scaleEmulated(std::int64_t a, std::int64_t b, std::int64_t c);

// The conversions computed with the integer emulation, whatever long double is.
std::int32_t percentToRangeEmulated(std::int32_t min, std::int32_t max, std::int32_t percent);
std::int32_t rangeToPercentEmulated(std::int32_t min, std::int32_t max, std::int32_t value);

} // namespace detail
} // namespace lv
