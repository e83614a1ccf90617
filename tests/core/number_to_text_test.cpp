#include "core/discharge.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

// What printf's "%.15G" writes otherwise, or what the sweep below leaves out
// (the longest text a result can have, one that rounds to fewer digits).
TEST(NumberToText, Edges)
{
    const std::pair<double, const char*> rows[] = {
        {-0.0, "0"}, {HUGE_VAL, "INF"}, {-HUGE_VAL, "-INF"}, {NAN, "NAN"},
        {-1.23456789012346e297, "-1.23456789012346E+297"}, {7.299999999999998, "7.3"}};
    for (const auto& [value, text] : rows)
        EXPECT_EQ(core::NumberToText(value), text) << std::hexfloat << value;
}

// Random bit patterns, and short decimals at every exponent: the text is
// printf's "%.15G".
TEST(NumberToText, MatchesPrintf)
{
    std::mt19937_64 random(936);
    std::uniform_int_distribution<int> digits(1, 99999), exponent(-330, 310);
    int mismatches = 0;
    for (int i = 0; i < 300000; ++i) {
        const std::string decimal = std::to_string(digits(random)) + "e" + std::to_string(exponent(random));
        // libc++ 14 has no from_chars for double
        const double v = i % 2 ? std::bit_cast<double>(random()) : std::strtod(decimal.c_str(), nullptr);
        char printed[32];
        std::snprintf(printed, sizeof printed, "%.15G", v);
        if (std::isfinite(v) && v != 0 && core::NumberToText(v) != printed && ++mismatches <= 10)
            ADD_FAILURE() << std::hexfloat << v << " shows " << core::NumberToText(v) << ", printf " << printed;
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace
