#include "conversions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

namespace {

using Convert = std::int32_t (*)(std::int32_t, std::int32_t, std::int32_t);

struct Case {
    std::int32_t min, max, input, expected;
};

// Results at exact boundaries come out one below the exact quotient; units and
// stored settings depend on exactly these numbers.
constexpr Case kPercentToRange[] = {
    {0, 100, 53000, 52},   {0, 1000, 100, 0},      {0, 255, 50000, 127},      {10, 20, 50000, 15},
    {0, 100, 100000, 100}, {0, 100, 150000, 100},  {0, 100, -5, 0},           {-50, 50, 50000, 50},
    {-50, 50, 0, 0},       {-50, 50, 100000, 100}, {0, 65535, 100000, 65535}, {20, 10, 50000, 15},
};
constexpr Case kRangeToPercent[] = {
    {0, 100, 53, 52999},   {0, 255, 255, 100000}, {0, 3, 1, 33333}, {5, 5, 7, 0},      {-50, 50, 50, 50000},
    {0, 100, 200, 100000}, {10, 20, 5, 0},        {10, 20, 10, 0},  {-50, 50, -10, 0}, {0, 65535, 1, 1},
};

void expectCases(Convert percentToRange, Convert rangeToPercent) {
    for (const Case& c : kPercentToRange)
        EXPECT_EQ(percentToRange(c.min, c.max, c.input), c.expected)
            << "PercentToRange(" << c.min << ", " << c.max << ", " << c.input << ")";
    for (const Case& c : kRangeToPercent)
        EXPECT_EQ(rangeToPercent(c.min, c.max, c.input), c.expected)
            << "RangeToPercent(" << c.min << ", " << c.max << ", " << c.input << ")";
}

TEST(Conversions, BoundaryResultsAsTheUnitsExpect) {
    expectCases(lv::PercentToRange, lv::RangeToPercent);
}

TEST(Conversions, IntegerEmulationGivesTheSameResults) {
    expectCases(lv::detail::percentToRangeEmulated, lv::detail::rangeToPercentEmulated);
}

TEST(Conversions, ExtremeRangesStayDefined) {
    constexpr auto lo = std::numeric_limits<std::int32_t>::min();
    constexpr auto hi = std::numeric_limits<std::int32_t>::max();
    for (Convert convert : {lv::PercentToRange, lv::detail::percentToRangeEmulated}) {
        // The shifted range 0..2^32-1 goes out as its low 32 bits.
        EXPECT_EQ(convert(lo, hi, 100000), -1);
        EXPECT_EQ(convert(lo, hi, 50000), hi);
        EXPECT_EQ(convert(0, hi, 100000), hi);
    }
    for (Convert convert : {lv::RangeToPercent, lv::detail::rangeToPercentEmulated}) {
        EXPECT_EQ(convert(lo, hi, hi), 49999);
        EXPECT_EQ(convert(lo, hi, lo), 0);
        EXPECT_EQ(convert(hi, lo, 0), 49999); // a reversed range counts down from min
        EXPECT_EQ(convert(10, 0, 15), 0);     // beyond it the negative quotient clamps
        EXPECT_EQ(convert(0, hi, hi), 100000);
    }
}

// The emulation must round exactly like the x87 extended format; compare it with
// long double wherever that format is what long double is.
TEST(Conversions, EmulationMatchesExtendedArithmetic) {
    if (std::numeric_limits<long double>::digits != 64)
        GTEST_SKIP() << "long double is not the extended format here";
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<std::int64_t> wide(-(std::int64_t{1} << 33), std::int64_t{1} << 33);
    std::uniform_int_distribution<std::int64_t> narrow(-300, 300);
    for (int i = 0; i < 200000; ++i) {
        const bool small = i % 2 == 0;
        const std::int64_t a = small ? narrow(random) : wide(random);
        std::int64_t b = small ? narrow(random) : wide(random);
        if (b == 0)
            b = 7;
        const std::int64_t c = i % 3 == 0 ? 100000 : (small ? narrow(random) : wide(random));
        ASSERT_EQ(lv::detail::scaleEmulated(a, b, c), lv::detail::scaleWithLongDouble(a, b, c))
            << a << " / " << b << " * " << c;
    }
    // Every percentage against common ranges, both directions.
    for (std::int32_t max : {1, 3, 7, 100, 255, 1000, 4095, 65535}) {
        for (std::int32_t p = 0; p <= 100000; p += 7)
            ASSERT_EQ(lv::detail::percentToRangeEmulated(0, max, p), lv::PercentToRange(0, max, p))
                << max << " " << p;
        for (std::int32_t v = 0; v <= max; v += 1 + max / 5000)
            ASSERT_EQ(lv::detail::rangeToPercentEmulated(-1, max, v), lv::RangeToPercent(-1, max, v))
                << max << " " << v;
    }
}

} // namespace
