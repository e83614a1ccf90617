#include "core/discharge.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <tuple>

namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Rows named by what they show: a text, and the double it reads as, bit for bit.
TEST(TextToNumber, Reads)
{
    const std::string k600(600, '0');
    const std::tuple<const char*, std::string, double> rows[] = {
        // Lenient reading: what is skipped, what ends the number, what is a word.
        {"EmptyIsZero", "", 0}, {"LoneSignIsZero", "-", 0}, {"LonePointIsZero", ".", 0}, {"PlusSign", "+.5", 0.5},
        {"TabLineFeedBlankSkipped", "\t1\n2 .\t5", 12.5}, {"CarriageReturnEnds", "1\r2", 1}, {"CommaEnds", "0,25", 0},
        {"BlankAfterSignSkipped", "- 5", -5}, {"LettersEnd", "12abc", 12}, {"InfinityIsAWord", "-Infinity", 0},
        // Exponents: blanks inside, missing digits, and any length.
        {"ExponentBlanksSkipped", "1 e - 2", 0.01}, {"ExponentLetterAloneIgnored", "7ex", 7},
        {"HugeNegativeExponent", "1e-99999999999999999999", 0}, {"HugeExponent", "1e99999999999999999999", HUGE_VAL},
        {"LongFractionUndone", "0." + k600 + "1e601", 1}, {"LongIntegerStillInfinite", "1" + k600 + "e-10", HUGE_VAL},
        // Hexadecimal and octal integers of any length, rounded to the nearest double.
        {"HexEitherCase", "&HfAcE", 0xface}, {"HexPastHalfwayRoundsUp", "&H100000000000008001", 0x1.0000000000001p68},
        {"HexBeyondDouble", "&H" + std::string(300, 'F'), HUGE_VAL}, {"HexStopsAtG", "&H1G" + std::string(16, '0'), 1},
        {"OctalPast64BitsRoundsAndEndsAt8", "&O1" + std::string(21, '7') + "8", 0x1p64},
        {"LongOctalExact", "&O1" + std::string(341, '0'), 0x1p1023}, {"LongOctalBeyondDouble", "&O1" + k600, HUGE_VAL},
        {"OctalBelowHalfwayToInfinityIsMax", "&O1" + std::string(17, '7') + "5" + std::string(323, '7'), DBL_MAX},
        {"OctalHalfwayToInfinityRoundsToEven", "&O1" + std::string(17, '7') + "6" + std::string(323, '0'), HUGE_VAL},
        {"LeadingZerosDoNotCount", "&O" + k600 + "17", 15}, {"UnknownRadix", "&X1", 0}, {"NoDigitsIsZero", "&H", 0},
        {"BlankAfterAmpersandSkipped", "& O10", 8},
        // Full-width forms and ideographic full stops, as a Chinese input method types them; bad UTF-8.
        {"FullWidthPointAndMinus", "－０．２５", -0.25}, {"IdeographicSpaceSkipped", "１\u3000０００", 1000},
        {"FullWidthHex", "＆ＨＦＦ", 255}, {"OtherChineseEnds", "10与20", 10}, {"FullStopIsPoint", "0。25", 0.25},
        {"HalfWidthFullStopIsPoint", "０｡２５", 0.25}, {"SecondFullStopEnds", "1。2。3", 1.2},
        {"IdeographicCommaEnds", "0、25", 0}, {"FullWidthCommaEnds", "0，25", 0},
        {"InvalidLeadByteEnds", "12\xff\xbc\x93", 12}, {"InvalidThirdByteEnds", "1\xef\xbc" "Q", 1},
    };
    for (const auto& [name, text, value] : rows)
        EXPECT_EQ(Bits(core::TextToNumber(text)), Bits(value))
            << name << ": \"" << text << "\" read as " << std::hexfloat << core::TextToNumber(text);
}

// The text as typed in full-width forms, U+FF01..U+FF5E in UTF-8.
std::string FullWidth(const std::string& ascii)
{
    std::string out;
    for (const unsigned char c : ascii) {
        const unsigned cp = c + 0xFEE0u;
        out += {char(0xE0 | cp >> 12), char(0x80 | (cp >> 6 & 0x3F)), char(0x80 | (cp & 0x3F))};
    }
    return out;
}

// Every text of the peer parsers' test suites reads to their binary64 result,
// also with a blank slipped in anywhere and when typed in full-width form.
TEST(PeerData, EveryTextReadsToItsDouble)
{
    std::mt19937 random(2052);
    int lines = 0, failures = 0;
    for (const char* file : {"freetype-2-7.txt", "google-wuffs.txt", "lemire-fast-float.txt",
                             "more-test-cases.txt", "tencent-rapidjson.txt"}) {
        std::ifstream in(PEER_DATA "/" + std::string(file));
        ASSERT_TRUE(in) << "cannot open " << file;
        for (std::string line; std::getline(in, line); ++lines) {
            const std::uint64_t bits = std::stoull(line.substr(14, 16), nullptr, 16);
            const std::string text = line.substr(31);
            const std::string blanked = std::string(text).insert(random() % (text.size() + 1), 1, ' ');
            for (const std::string& variant : {text, blanked, FullWidth(text)})
                if (Bits(core::TextToNumber(variant)) != bits && ++failures <= 10)
                    ADD_FAILURE() << file << ": \"" << variant << "\" should be " << std::hex << bits;
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(lines, 20000) << "the peer data is incomplete";
}

} // namespace
