#include "core/discharge.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace core {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool IsHexDigit(char c) { return IsDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }
bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Characters that can take part in a number, once folded to ASCII: hex
// digits (the decimal ones, and the exponent's E among them), the radix
// letters, signs, the point and the "&" of a radix.
bool CanContinueNumber(unsigned char c)
{
    return IsHexDigit(char(c)) || (c | 0x20) == 'h' || (c | 0x20) == 'o' || c == '+' || c == '-' || c == '.'
           || c == '&';
}

// Folds the text into the ASCII characters a number is read from: blanks
// dropped, full-width forms made ASCII, the ideographic full stops made ".". Stops at the first character that
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
        // U+3000 is E3 80 80, U+3002 E3 80 82, U+FF61 EF BD A1; U+FF01..U+FF5E
        // are EF BC 81 .. EF BD 9E.
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
        // An input method in Chinese punctuation mode types "。" for ".".
        if (cp == 0x3002 || cp == 0xFF61) {
            out += '.';
            continue;
        }
        if (cp < 0xFF01 || cp > 0xFF5E)
            break;
        const auto ascii = static_cast<unsigned char>(cp - 0xFEE0);
        if (!CanContinueNumber(ascii))
            break;
        out += char(ascii);
    }
    return out;
}

// What was read, and where reading stopped: the first character that was
// looked at and could not continue the number.
struct Reading {
    double value;
    std::size_t stop;
};

// An optional sign, then a decimal number with an optional exponent, read by
// fast_float: correctly rounded, infinite or zero beyond the double range.
Reading ReadDecimal(std::string_view s)
{
    const bool negative = !s.empty() && s[0] == '-';
    const std::size_t start = !s.empty() && (s[0] == '+' || s[0] == '-');
    // fast_float would also read "nan", "inf" and a second sign.
    if (start == s.size() || !(IsDigit(s[start]) || s[start] == '.'))
        return {0, start};
    double value = 0;
    const auto [end, ec] = fast_float::from_chars(s.data() + start, s.data() + s.size(), value);
    if (ec != std::errc{}) // a point with no digit after it
        return {0, start + 1};
    std::size_t stop = static_cast<std::size_t>(end - s.data());
    // An exponent letter without digits is left unread; reading stops after
    // it and its sign, where a blank may come before the digits.
    if (stop < s.size() && (s[stop] | 0x20) == 'e') {
        ++stop;
        if (stop < s.size() && (s[stop] == '+' || s[stop] == '-'))
            ++stop;
    }
    return {negative ? -value : value, stop};
}

// A non-negative integer in base 16 or 8, rounded to the nearest double: as
// many leading digits as fit 64 bits, read exactly; a nonzero digit after
// them kept as the lowest bit, so that the conversion rounds as the whole
// number would; then scaled by the digits left over.
double ReadInteger(std::string_view digits, int base, int bitsPerDigit)
{
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    const std::size_t kept = std::min<std::size_t>(digits.size(), std::size_t(64 / bitsPerDigit));
    std::uint64_t leading = 0;
    std::from_chars(digits.data(), digits.data() + kept, leading, base);
    const std::string_view rest = digits.substr(kept);
    if (rest.find_first_not_of('0') != std::string_view::npos)
        leading |= 1;
    // The leading digits are at least 2^60, so beyond 1100 bits more every
    // value is infinite in either base; the bound keeps the shift an int.
    const std::size_t beyond = 1100 / std::size_t(bitsPerDigit) + 1;
    const auto shift = static_cast<int>(std::min(rest.size(), beyond)) * bitsPerDigit;
    return std::ldexp(static_cast<double>(leading), shift);
}

// After "&": "H" and hex digits, or "O" and octal digits.
Reading ReadRadix(std::string_view s)
{
    const char kind = s.empty() ? '\0' : char(s[0] | 0x20);
    if (kind != 'h' && kind != 'o')
        return {0, 0};
    const bool hex = kind == 'h';
    const std::size_t end = std::find_if_not(s.begin() + 1, s.end(), hex ? IsHexDigit : IsOctalDigit) - s.begin();
    return {ReadInteger(s.substr(1, end - 1), hex ? 16 : 8, hex ? 4 : 3), end};
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
