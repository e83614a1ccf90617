#include "core/discharge.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>

namespace core {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool IsHexDigit(char c) { return IsDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }
bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Characters that can take part in a number, once folded to ASCII.
bool CanContinueNumber(unsigned char c)
{
    return IsDigit(char(c)) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '+' || c == '-'
           || c == '.' || c == '&';
}

// Folds the text into the ASCII characters a number is read from: blanks
// dropped, full-width forms made ASCII. Stops at the first character that
// cannot take part in a number, since reading would stop there anyway; that
// includes every byte that is not part of a well-formed full-width form.
std::string Fold(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            if (IsBlank(lead)) {
                ++i;
                continue;
            }
            if (!CanContinueNumber(lead))
                break;
            out += char(lead);
            ++i;
            continue;
        }
        // U+3000 is E3 80 80; U+FF01..U+FF5E are EF BC 81 .. EF BD 9E.
        if ((lead & 0xF0) != 0xE0 || text.size() - i < 3)
            break;
        const auto b1 = static_cast<unsigned char>(text[i + 1]);
        const auto b2 = static_cast<unsigned char>(text[i + 2]);
        if ((b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80)
            break;
        const unsigned cp = (lead & 0x0Fu) << 12 | (b1 & 0x3Fu) << 6 | (b2 & 0x3Fu);
        i += 3;
        if (cp == 0x3000)
            continue;
        if (cp < 0xFF01 || cp > 0xFF5E)
            break;
        const auto ascii = static_cast<unsigned char>(cp - 0xFEE0);
        if (!CanContinueNumber(ascii))
            break;
        out += char(ascii);
    }
    return out;
}

template <typename Accept>
std::size_t SkipWhile(std::string_view s, std::size_t i, Accept accept)
{
    while (i < s.size() && accept(s[i]))
        ++i;
    return i;
}

double ReadHexDigits(std::string_view hex)
{
    double value = 0;
    // An integer can only be too large, never too small.
    if (std::from_chars(hex.data(), hex.data() + hex.size(), value, std::chars_format::hex).ec
        == std::errc::result_out_of_range)
        return std::numeric_limits<double>::infinity();
    return value;
}

// Regroups octal digits (3 bits each) into hex digits (4 bits each) so that
// the hex reader rounds a long octal number correctly.
std::string OctalToHex(std::string_view octal)
{
    std::string hex;
    hex.reserve(octal.size());
    unsigned bits = 0;
    int count = 0;
    for (auto it = octal.rbegin(); it != octal.rend(); ++it) {
        bits |= unsigned(*it - '0') << count;
        count += 3;
        for (; count >= 4; count -= 4, bits >>= 4)
            hex += "0123456789abcdef"[bits & 0xF];
    }
    if (count > 0)
        hex += "0123456789abcdef"[bits];
    std::reverse(hex.begin(), hex.end());
    return hex;
}

// What was read, and where reading stopped: the first character that was
// looked at and could not continue the number.
struct Reading {
    double value;
    std::size_t stop;
};

// After "&": "H" and hex digits, or "O" and octal digits.
Reading ReadRadix(std::string_view s)
{
    if (s.empty())
        return {0, 0};
    const char kind = char(s[0] | 0x20);
    if (kind == 'h') {
        const std::size_t end = SkipWhile(s, 1, IsHexDigit);
        return {ReadHexDigits(s.substr(1, end - 1)), end};
    }
    if (kind == 'o') {
        const std::size_t end = SkipWhile(s, 1, IsOctalDigit);
        return {ReadHexDigits(OctalToHex(s.substr(1, end - 1))), end};
    }
    return {0, 0};
}

// The exponent's digits, clamped to a bound past which the result no longer
// changes, so that no count of digits can overflow.
long long ReadExponent(std::string_view digits, long long bound)
{
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty())
        return 0;
    long long value = bound;
    if (digits.size() <= 18)
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return std::min(value, bound);
}

// Whether a mantissa scaled by 10^exponent is at least 1, i.e. whether a
// value beyond the double range is too large rather than too small.
bool AtLeastOne(std::string_view mantissa, long long exponent)
{
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    const auto magnitude = first < point ? static_cast<long long>(point - first)
                                         : -static_cast<long long>(first - point - 1);
    return magnitude + exponent > 0;
}

// Reads the decimal number at the start of s, with its exponent clamped and
// its range errors mapped.
Reading ReadDecimalInFull(std::string_view s)
{
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;

    const std::size_t start = i;
    std::size_t end = SkipWhile(s, start, IsDigit);
    if (end < s.size() && s[end] == '.')
        end = SkipWhile(s, end + 1, IsDigit);
    const std::string_view mantissa = s.substr(start, end - start);
    if (mantissa.empty() || mantissa == ".")
        return {0, end};

    // Beyond this many decimal places either way every mantissa of this
    // length is infinite or zero, so a larger exponent changes nothing.
    const long long bound = static_cast<long long>(mantissa.size()) + 400;
    long long exponent = 0;
    std::size_t stop = end;
    if (end < s.size() && (s[end] | 0x20) == 'e') {
        std::size_t j = end + 1;
        const bool expNegative = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const std::size_t expEnd = SkipWhile(s, j, IsDigit);
        stop = expEnd;
        if (expEnd > j) {
            exponent = ReadExponent(s.substr(j, expEnd - j), bound);
            if (expNegative)
                exponent = -exponent;
        }
    }

    const std::string number = std::string(mantissa) + 'e' + std::to_string(exponent);
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec
        == std::errc::result_out_of_range)
        value = AtLeastOne(mantissa, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    return {negative ? -value : value, stop};
}

// Most numbers are what from_chars reads, ending where it stops; the rest
// (a leading "+", an exponent letter without digits, a text that is no
// number, a value beyond the range) are read in full.
Reading ReadDecimal(std::string_view s)
{
    // from_chars would also read "nan" and "inf", which are words here.
    const std::size_t sign = !s.empty() && (s[0] == '+' || s[0] == '-');
    if (s.size() > sign && (IsDigit(s[sign]) || s[sign] == '.')) {
        const char* end = s.data() + s.size();
        double value = 0;
        const auto [ptr, ec] = std::from_chars(s.data() + (s[0] == '+'), end, value);
        if (ec == std::errc{} && (ptr == end || (*ptr | 0x20) != 'e'))
            return {value, static_cast<std::size_t>(ptr - s.data())};
    }
    return ReadDecimalInFull(s);
}

Reading Read(std::string_view s)
{
    if (s.empty() || s[0] != '&')
        return ReadDecimal(s);
    const Reading radix = ReadRadix(s.substr(1));
    return {radix.value, radix.stop + 1};
}

} // namespace

double TextToNumber(std::string_view text) noexcept
{
    // Most texts are read where they stand: folding changes nothing when
    // reading stops at a plain ASCII character that is not a blank.
    const Reading direct = Read(text);
    if (direct.stop == text.size())
        return direct.value;
    const auto next = static_cast<unsigned char>(text[direct.stop]);
    if (!IsBlank(next) && next < 0x80)
        return direct.value;
    return Read(Fold(text)).value;
}

} // namespace core
