#include "core/discharge.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// What the sweep below cannot show: zero's sign, values that are no number,
// and the longest text a result can have.
TEST(NumberToText, Edges)
{
    const std::pair<double, const char*> rows[] = {
        {-0.0, "0"}, {kInf, "INF"}, {-kInf, "-INF"}, {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {-1.23456789012346e297, "-1.23456789012346E+297"}, {7.299999999999998, "7.3"}};
    for (const auto& [value, text] : rows)
        EXPECT_EQ(core::NumberToText(value), text) << std::hexfloat << value;
}

// Random bit patterns, integers and short decimals across every exponent:
// the text is printf's "%.15G", and it reads back as the value rounded to 15
// significant digits.
TEST(NumberToText, MatchesPrintfAndReadsBack)
{
    std::mt19937_64 random(936);
    std::uniform_int_distribution<int> digits(1, 99999), exponent(-330, 310);
    int mismatches = 0;
    for (int i = 0; i < 300000; ++i) {
        double v = std::bit_cast<double>(random());
        if (i % 3 == 1)
            v = double(static_cast<std::int64_t>(random()) >> (i % 64));
        if (i % 3 == 2) {
            const std::string t = std::to_string(digits(random)) + "e" + std::to_string(exponent(random));
            v = std::strtod(t.c_str(), nullptr); // libc++ 14 has no from_chars for double
        }
        if (!std::isfinite(v))
            continue;
        char printed[64], rounded[64];
        std::snprintf(printed, sizeof printed, "%.15G", v);
        std::snprintf(rounded, sizeof rounded, "%.14E", v);
        const std::string text = core::NumberToText(v);
        if ((text != (v == 0 ? "0" : printed) || core::TextToNumber(text) != std::strtod(rounded, nullptr))
            && ++mismatches <= 10)
            ADD_FAILURE() << std::hexfloat << v << " shows " << text << ", printf " << printed;
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace
