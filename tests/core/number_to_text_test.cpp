#include "core/discharge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
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
// what both exact formatters write, printf's "%.15G" and std::to_chars with
// 15 digits and an upper-case E. A build formats with one of them; the
// other checks it.
TEST(NumberToText, MatchesPrintfAndToChars)
{
    std::mt19937_64 random(936);
    std::uniform_int_distribution<int> digits(1, 99999), exponent(-330, 310);
    int mismatches = 0;
    for (int i = 0; i < 300000; ++i) {
        const std::string decimal = std::to_string(digits(random)) + "e" + std::to_string(exponent(random));
        // libc++ 14 has no from_chars for double
        const double v = i % 2 ? std::bit_cast<double>(random()) : std::strtod(decimal.c_str(), nullptr);
        char printed[32], converted[32];
        std::snprintf(printed, sizeof printed, "%.15G", v);
        char* end = std::to_chars(converted, converted + sizeof converted - 1, v, std::chars_format::general, 15).ptr;
        *end = '\0';
        std::replace(converted, end, 'e', 'E');
        const std::string shown = core::NumberToText(v);
        if (std::isfinite(v) && v != 0 && (shown != printed || shown != converted) && ++mismatches <= 10)
            ADD_FAILURE() << std::hexfloat << v << " shows " << shown << ", printf " << printed << ", to_chars "
                          << converted;
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace
