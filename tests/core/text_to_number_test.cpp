#include "core/discharge.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Row {
    const char* name;
    std::string text;
    double value;
};

// Rows print as their names in test listings.
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class TextToNumberRows : public testing::TestWithParam<Row> {};

TEST_P(TextToNumberRows, Reads)
{
    const Row& row = GetParam();
    const double got = core::TextToNumber(row.text);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(row.value))
        << '"' << row.text << "\" read as " << got << ", not " << row.value;
}

std::string RowName(const testing::TestParamInfo<Row>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Lenient, TextToNumberRows,
    testing::Values(
        Row{"EmptyIsZero", "", 0},
        Row{"CommaEndsNumber", "0,25", 0},
        Row{"BlankBetweenDigitsSkipped", "1 000", 1000},
        Row{"TabsAndLineFeedsSkipped", "\t1\n2 .\t5", 12.5},
        Row{"CarriageReturnEndsNumber", "1\r2", 1},
        Row{"NoBreakSpaceEndsNumber", "1\u00a02", 1},
        Row{"TrailingLettersIgnored", "12abc", 12},
        Row{"NanIsAWord", " nAn", 0},
        Row{"InfinityIsAWord", "-Infinity", 0},
        Row{"Negative", "-3.5", -3.5},
        Row{"BlankAfterSignSkipped", "- 5", -5},
        Row{"LeadingPoint", ".5", 0.5},
        Row{"SecondPointEnds", "1.2.3", 1.2},
        Row{"LoneSignIsZero", "-", 0},
        Row{"EmbeddedNulEnds", std::string("1\0" "2", 3), 1}),
    RowName);

INSTANTIATE_TEST_SUITE_P(Exponent, TextToNumberRows,
    testing::Values(
        Row{"BlanksInsideSkipped", "1 e - 2", 0.01},
        Row{"LetterWithoutDigitsIgnored", "1e", 1},
        Row{"LetterThenTextIgnored", "7ex", 7},
        Row{"NineDigitNegativeExponentIsZero", "1e-999999999", 0},
        Row{"NineDigitPositiveExponentIsInfinite", "1e+999999999", kInf},
        Row{"EndlessNegativeExponentIsZero", "1e-99999999999999999999", 0},
        Row{"EndlessPositiveExponentIsInfinite", "1e99999999999999999999", kInf},
        Row{"LongZeroExponentIsOne", "1e" + std::string(5000, '0'), 1},
        Row{"LongFractionUndoneByExponent", "0." + std::string(600, '0') + "1e601", 1},
        Row{"LongIntegerUndoneByExponent", "1" + std::string(600, '0') + "e-600", 1},
        Row{"LongIntegerOverflowsDespiteNegativeExponent",
            "1" + std::string(400, '0') + "e-10", kInf},
        Row{"LongFractionUnderflowsDespitePositiveExponent",
            "0." + std::string(400, '0') + "1e10", 0}),
    RowName);

INSTANTIATE_TEST_SUITE_P(Radix, TextToNumberRows,
    testing::Values(
        Row{"HexIsNonNegative", "&HFFFF", 65535},
        Row{"HexWithoutDigitsIsZero", "&H", 0},
        Row{"HexBeyond64BitsRounds", "&H" + std::string(17, 'F'), 0x1p68},
        Row{"HexBeyondDoubleIsInfinite", "&H" + std::string(300, 'F'), kInf},
        Row{"Octal", "&O17", 15},
        Row{"OctalStopsAtEight", "&O178", 15},
        Row{"OctalLongExact", "&O1" + std::string(30, '0'), 0x1p90},
        Row{"OctalBeyond64BitsRounds", "&O1" + std::string(21, '7'), 0x1p64},
        Row{"UnknownRadixIsZero", "&X1", 0},
        Row{"SignBeforeRadixIsZero", "-&H10", 0}),
    RowName);

INSTANTIATE_TEST_SUITE_P(FullWidth, TextToNumberRows,
    testing::Values(
        Row{"Digits", "１００００", 10000},
        Row{"Point", "０．２５", 0.25},
        Row{"CommaEndsNumber", "０，２５", 0},
        Row{"Minus", "－５", -5},
        Row{"IdeographicSpaceSkipped", "１\u3000０００", 1000},
        Row{"Hex", "＆ＨＦＦ", 255},
        Row{"OtherChineseEndsNumber", "12万", 12}),
    RowName);

INSTANTIATE_TEST_SUITE_P(Bytes, TextToNumberRows,
    testing::Values(
        Row{"InvalidByteEnds", "12\xff" "3", 12},
        Row{"TruncatedFullWidthEnds", "1\xef\xbc", 1},
        Row{"BadContinuationEnds", "1\xef\xbc\x41" "2", 1},
        Row{"OverlongDigitIsNotADigit", "\xc0\xb1", 0}),
    RowName);

// Every text of the peer parsers' test suites reads to their binary64 result,
// also with a blank slipped in anywhere and when typed in full-width form.
std::string FullWidth(const std::string& ascii)
{
    std::string out;
    for (const char c : ascii) {
        const unsigned cp = static_cast<unsigned char>(c) + 0xFEE0u;
        out += char(0xE0 | cp >> 12);
        out += char(0x80 | (cp >> 6 & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
    return out;
}

TEST(PeerData, EveryTextReadsToItsDouble)
{
    const std::string folder = SHARED_TESTDATA "/parse-number-fxx/";
    std::mt19937 random(2052);
    int lines = 0;
    int failures = 0;
    for (const char* file : {"freetype-2-7.txt", "google-wuffs.txt", "lemire-fast-float.txt",
                             "more-test-cases.txt", "tencent-rapidjson.txt"}) {
        std::ifstream in(folder + file);
        ASSERT_TRUE(in) << "cannot open " << folder + file;
        for (std::string line; std::getline(in, line);) {
            ASSERT_GT(line.size(), 31u) << file << ": " << line;
            std::uint64_t bits = 0;
            std::from_chars(line.data() + 14, line.data() + 30, bits, 16);
            const std::string text = line.substr(31);
            std::string blanked = text;
            blanked.insert(blanked.begin() + random() % (text.size() + 1), ' ');
            for (const std::string& variant : {text, blanked, FullWidth(text)}) {
                const auto got = std::bit_cast<std::uint64_t>(core::TextToNumber(variant));
                if (got != bits && ++failures <= 10)
                    ADD_FAILURE() << file << ": \"" << variant << "\" gave " << std::hex << got
                                  << ", expected " << bits;
            }
            ++lines;
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(lines, 20000);
}

} // namespace
