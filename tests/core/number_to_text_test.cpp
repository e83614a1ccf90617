#include "core/discharge.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

struct Row {
    const char* name;
    double value;
    const char* text;
};

// Rows print as their names in test listings.
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class NumberToTextRows : public testing::TestWithParam<Row> {};

TEST_P(NumberToTextRows, Shows)
{
    EXPECT_EQ(core::NumberToText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Display, NumberToTextRows,
    testing::Values(
        Row{"Zero", 0.0, "0"},
        Row{"NegativeZeroHasNoSign", -0.0, "0"},
        Row{"FifteenDigitsHideRateRounding", 7.299999999999998, "7.3"},
        Row{"HalfHasLeadingZero", 0.5, "0.5"},
        Row{"SmallestPlainFraction", 0.0001, "0.0001"},
        Row{"SmallerIsExponentForm", 0.00001, "1E-05"},
        Row{"RoundingUpToExponentForm", 9999999999999999.0, "1E+16"},
        Row{"LargerIsExponentForm", 1e15, "1E+15"},
        Row{"ExponentFormRoundsMantissa", 123456789012345678.0, "1.23456789012346E+17"},
        Row{"LargestDouble", std::numeric_limits<double>::max(), "1.79769313486232E+308"},
        Row{"Infinity", std::numeric_limits<double>::infinity(), "INF"},
        Row{"NegativeInfinity", -std::numeric_limits<double>::infinity(), "-INF"},
        Row{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "NAN"}),
    [](const auto& info) { return std::string(info.param.name); });

// Random bit patterns, integers and short decimals across every exponent.
std::vector<double> Sweep()
{
    std::mt19937_64 random(936);
    std::vector<double> values;
    for (int i = 0; i < 150000; ++i) {
        const double v = std::bit_cast<double>(random());
        if (std::isfinite(v))
            values.push_back(v);
    }
    for (int i = 0; i < 100000; ++i)
        values.push_back(static_cast<double>(static_cast<std::int64_t>(random()) >> (i % 64)));
    std::uniform_int_distribution<int> digits(1, 99999), exponent(-330, 310);
    for (int i = 0; i < 100000; ++i) {
        const std::string text =
            std::to_string(digits(random)) + "e" + std::to_string(exponent(random));
        double v = 0;
        if (std::from_chars(text.data(), text.data() + text.size(), v).ec == std::errc{})
            values.push_back(v);
    }
    return values;
}

TEST(NumberToTextSweep, MatchesPrintfAndReadsBack)
{
    int mismatches = 0;
    for (const double v : Sweep()) {
        char printed[64];
        std::snprintf(printed, sizeof printed, "%.15G", v);
        const std::string text = core::NumberToText(v);
        if (text != (v == 0 ? "0" : printed) && ++mismatches <= 10)
            ADD_FAILURE() << std::hexfloat << v << " shows " << text << ", printf " << printed;

        // What is shown reads back as the value rounded to 15 digits.
        char rounded[64];
        const int n = std::snprintf(rounded, sizeof rounded, "%.14e", v);
        double expected = 0;
        std::from_chars(rounded, rounded + n, expected);
        const double back = core::TextToNumber(text);
        if (back != expected && ++mismatches <= 10)
            ADD_FAILURE() << text << " reads back as " << back << ", not " << rounded;
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace
