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
constexpr double kMax = std::numeric_limits<double>::max();
const std::string k600(600, '0');

// Rows named by what they show: a text, and the double it reads as, bit for bit.
TEST(TextToNumber, Reads)
{
    const struct {
        const char* name;
        std::string text;
        double value;
    } rows[] = {
        // Lenient reading: what is skipped, what ends the number, what is a word.
        {"EmptyIsZero", "", 0}, {"CommaEnds", "0,25", 0}, {"LoneSignIsZero", "-", 0},
        {"TabsLineFeedsAndBlanksSkipped", "\t1\n2 .\t5", 12.5}, {"CarriageReturnEnds", "1\r2", 1},
        {"BlankAfterSignSkipped", "- 5", -5}, {"TrailingLettersIgnored", "12abc", 12},
        {"NanIsAWord", " nAn", 0}, {"InfinityIsAWord", "-Infinity", 0}, {"PlusSign", "+.5", 0.5},
        // Exponents: blanks inside, missing digits, and any length.
        {"ExponentBlanksSkipped", "1 e - 2", 0.01}, {"ExponentLetterAloneIgnored", "7ex", 7},
        {"EndlessNegativeExponent", "1e-99999999999999999999", 0},
        {"EndlessPositiveExponent", "1e99999999999999999999", kInf},
        {"LongFractionUndone", "0." + k600 + "1e601", 1}, {"LongIntegerStillInfinite", "1" + k600 + "e-10", kInf},
        // Hexadecimal and octal integers.
        {"Hex", "&HFFFF", 65535}, {"HexPastHalfwayRoundsUp", "&H100000000000008001", 0x1.0000000000001p68},
        {"HexBeyondDouble", "&H" + std::string(300, 'F'), kInf}, {"HexStopsAtG", "&H1G" + std::string(16, '0'), 1},
        {"OctalStopsAtEight", "&O178", 15}, {"OctalBeyond64BitsRounds", "&O1" + std::string(21, '7'), 0x1p64},
        {"LongOctalExact", "&O1" + std::string(341, '0'), 0x1p1023},
        {"LongOctalBeyondDouble", "&O1" + std::string(342, '0'), kInf},
        {"LongOctalSevensBeyondDouble", "&O" + std::string(401, '7'), kInf},
        {"OctalBelowHalfwayToInfinityIsMax", "&O1" + std::string(17, '7') + "5" + std::string(323, '7'), kMax},
        {"OctalHalfwayToInfinityRoundsToEven", "&O1" + std::string(17, '7') + "6" + std::string(323, '0'), kInf},
        {"OctalLeadingZerosDoNotCount", "&O" + k600 + "17", 15}, {"HexLeadingZerosDoNotCount", "&H" + k600 + "FF", 255},
        {"UnknownRadix", "&X1", 0}, {"RadixWithoutDigitsIsZero", "&H", 0}, {"OctalZerosAreZero", "&O000", 0}, {"BlankAfterAmpersandSkipped", "& H10", 16},
        // Full-width forms, as a Chinese input method types them; bad UTF-8.
        {"FullWidthPointAndMinus", "－０．２５", -0.25}, {"IdeographicSpaceSkipped", "１\u3000０００", 1000},
        {"FullWidthHex", "＆ＨＦＦ", 255}, {"OtherChineseEnds", "12万", 12},
        {"IdeographicFullStopIsPoint", "0。25", 0.25}, {"HalfWidthIdeographicFullStopIsPoint", "０｡２５", 0.25},
        {"SecondFullStopEnds", "1。2。3", 1.2}, {"FullStopAfterPointEnds", "1.2。3", 1.2},
        {"IdeographicCommaEnds", "0、25", 0}, {"FullWidthCommaEnds", "0，25", 0},
        {"InvalidByteEnds", "12\xff" "3", 12}, {"TruncatedFullWidthEnds", "1\xef\xbc", 1},
    };
    for (const auto& [name, text, value] : rows)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(core::TextToNumber(text)), std::bit_cast<std::uint64_t>(value))
            << name << ": \"" << text << "\" read as " << core::TextToNumber(text);
}

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
        std::ifstream in(PEER_DATA "/" + std::string(file));
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
