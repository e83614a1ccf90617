// Any bytes at all as the text of a box, read by TextToNumber and by a plain
// model of the same rules written here without any of its shortcuts: the
// text folded character by character, then a decimal number read by strtod,
// or a hex or octal integer rounded by its bits. The two must agree bit for
// bit; the build runs AddressSanitizer and UndefinedBehaviorSanitizer too.
#include "core/discharge.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The text as the ASCII a number is read from: blanks dropped, full-width
// forms and the ideographic full stops made ASCII, up to the first character
// that is none of those (or not well-formed UTF-8).
std::string Fold(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        char32_t c = byte(0);
        std::size_t length = 1;
        if (c >= 0xE0 && c < 0xF0 && i + 3 <= text.size() && (byte(1) & 0xC0) == 0x80 && (byte(2) & 0xC0) == 0x80) {
            c = (c & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
            length = 3;
        } else if (c >= 0x80) {
            break;
        }
        i += length;
        if (c == U' ' || c == U'\t' || c == U'\n' || c == U'\u3000')
            continue;
        if (c == U'\u3002' || c == U'\uFF61')
            c = U'.';
        else if (c >= U'\uFF01' && c <= U'\uFF5E')
            c -= 0xFEE0;
        else if (c >= 0x80 || (length == 3 && c < 0x800))
            break;
        out += char(c);
    }
    return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "[+-]?(digits[.digits?]|.digits)([eE][+-]?digits)?" at the start of s, read
// by the C library; no such number is 0.
double ReadDecimal(const std::string& s)
{
    std::size_t i = s[0] == '+' || s[0] == '-';
    const std::size_t digitsStart = i;
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    bool any = i > digitsStart;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fraction = ++i;
        while (i < s.size() && IsDigit(s[i]))
            ++i;
        any = any || i > fraction;
    }
    if (!any)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return std::strtod(s.substr(0, i).c_str(), nullptr);
}

// The digits' value in base 2^bitsPerDigit, rounded to the nearest double
// (ties to even) from its bits: the leading 53, the next one and whether any
// after it is set.
double ReadInteger(std::string_view digits, int bitsPerDigit)
{
    std::string bits;
    for (const char d : digits) {
        const int value = IsDigit(d) ? d - '0' : (d | 0x20) - 'a' + 10;
        for (int b = bitsPerDigit - 1; b >= 0; --b)
            if (!bits.empty() || (value >> b & 1))
                bits += char('0' + (value >> b & 1));
    }
    if (bits.size() > 1025)
        return HUGE_VAL;
    std::uint64_t mantissa = 0;
    for (std::size_t k = 0; k < 53 && k < bits.size(); ++k)
        mantissa = mantissa << 1 | (bits[k] - '0');
    if (bits.size() <= 53)
        return double(mantissa);
    const bool half = bits[53] == '1';
    const bool sticky = bits.find('1', 54) != std::string::npos;
    if (half && (sticky || (mantissa & 1)))
        ++mantissa; // 2^53 at most, still exact
    return std::ldexp(double(mantissa), int(bits.size()) - 53);
}

double Model(std::string_view text)
{
    const std::string s = Fold(text);
    if (s.empty())
        return 0;
    if (s[0] != '&')
        return ReadDecimal(s);
    const char radix = s.size() > 1 ? char(s[1] | 0x20) : '\0';
    if (radix != 'h' && radix != 'o')
        return 0;
    std::size_t end = 2;
    while (end < s.size() && (radix == 'h' ? std::isxdigit(static_cast<unsigned char>(s[end])) != 0
                                           : s[end] >= '0' && s[end] <= '7'))
        ++end;
    return ReadInteger(std::string_view(s).substr(2, end - 2), radix == 'h' ? 4 : 3);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double read = core::TextToNumber(text), model = Model(text);
    if (std::bit_cast<std::uint64_t>(read) != std::bit_cast<std::uint64_t>(model)) {
        std::fprintf(stderr, "TextToNumber gives %a, the model %a\n", read, model);
        std::abort();
    }
    return 0;
}
