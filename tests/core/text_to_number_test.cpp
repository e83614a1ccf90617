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
const std::string k600(600, '0');

struct Row {
    const char* name;
    std::string text;
    double value;
};
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class TextToNumber : public testing::TestWithParam<Row> {};

TEST_P(TextToNumber, Reads)
{
    const Row& row = GetParam();
    EXPECT_EQ(std::bit_cast<std::uint64_t>(core::TextToNumber(row.text)),
              std::bit_cast<std::uint64_t>(row.value))
        << '"' << row.text << "\" read as " << core::TextToNumber(row.text);
}

INSTANTIATE_TEST_SUITE_P(Rows, TextToNumber, testing::Values(
    // Lenient reading: what is skipped, what ends the number, what is a word.
    Row{"EmptyIsZero", "", 0}, Row{"CommaEnds", "0,25", 0}, Row{"LoneSignIsZero", "-", 0},
    Row{"TabsLineFeedsAndBlanksSkipped", "\t1\n2 .\t5", 12.5}, Row{"CarriageReturnEnds", "1\r2", 1},
    Row{"BlankAfterSignSkipped", "- 5", -5}, Row{"TrailingLettersIgnored", "12abc", 12},
    Row{"NanIsAWord", " nAn", 0}, Row{"InfinityIsAWord", "-Infinity", 0}, Row{"PlusSign", "+.5", 0.5},
    // Exponents: blanks inside, missing digits, and any length.
    Row{"ExponentBlanksSkipped", "1 e - 2", 0.01}, Row{"ExponentLetterAloneIgnored", "7ex", 7},
    Row{"EndlessNegativeExponent", "1e-99999999999999999999", 0},
    Row{"EndlessPositiveExponent", "1e99999999999999999999", kInf},
    Row{"LongFractionUndone", "0." + k600 + "1e601", 1}, Row{"LongIntegerStillInfinite", "1" + k600 + "e-10", kInf},
    // Hexadecimal and octal integers.
    Row{"Hex", "&HFFFF", 65535}, Row{"HexPastHalfwayRoundsUp", "&H100000000000008001", 0x1.0000000000001p68},
    Row{"HexBeyondDouble", "&H" + std::string(300, 'F'), kInf}, Row{"OctalStopsAtEight", "&O178", 15}, Row{"HexStopsAtG", "&H1G" + std::string(16, '0'), 1},
    Row{"OctalBeyond64BitsRounds", "&O1" + std::string(21, '7'), 0x1p64}, Row{"UnknownRadix", "&X1", 0},
    Row{"BlankAfterAmpersandSkipped", "& H10", 16},
    // Full-width forms, as a Chinese input method types them; bad UTF-8.
    Row{"FullWidthPointAndMinus", "－０．２５", -0.25}, Row{"IdeographicSpaceSkipped", "１\u3000０００", 1000},
    Row{"FullWidthHex", "＆ＨＦＦ", 255}, Row{"OtherChineseEnds", "12万", 12},
    Row{"InvalidByteEnds", "12\xff" "3", 12}, Row{"TruncatedFullWidthEnds", "1\xef\xbc", 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Every text of the peer parsers' test suites reads to their binary64 result,
// also with a blank slipped in anywhere and when typed in full-width form.
std::string FullWidth(const std::string& ascii)
{
    std::string out;
    for (const char c : ascii) {
        const unsigned cp = static_cast<unsigned char>(c) + 0xFEE0u;
        out += {char(0xE0 | cp >> 12), char(0x80 | (cp >> 6 & 0x3F)), char(0x80 | (cp & 0x3F))};
    }
    return out;
}

TEST(PeerData, EveryTextReadsToItsDouble)
{
    std::mt19937 random(2052);
    int lines = 0, failures = 0;
    for (const char* file : {"freetype-2-7.txt", "google-wuffs.txt", "lemire-fast-float.txt",
                             "more-test-cases.txt", "tencent-rapidjson.txt"}) {
        std::ifstream in(SHARED_TESTDATA "/parse-number-fxx/" + std::string(file));
        ASSERT_TRUE(in) << "cannot open " << file;
        for (std::string line; std::getline(in, line); ++lines) {
            std::uint64_t bits = 0;
            std::from_chars(line.data() + 14, line.data() + 30, bits, 16);
            const std::string text = line.substr(31);
            std::string blanked = text;
            blanked.insert(blanked.begin() + random() % (text.size() + 1), ' ');
            for (const std::string& variant : {text, blanked, FullWidth(text)})
                if (std::bit_cast<std::uint64_t>(core::TextToNumber(variant)) != bits && ++failures <= 10)
                    ADD_FAILURE() << file << ": \"" << variant << "\" should be " << std::hex << bits;
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(lines, 20000);
}

} // namespace
