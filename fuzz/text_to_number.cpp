// Any bytes at all as the text of a box, read by TextToNumber and by a plain
// model of the same rules written here without any of its shortcuts: the
// text decoded by the C library and folded character by character, then a
// decimal number read by strtod, or a hex or octal integer's bits written out
// in hex for strtod to round. The two must agree bit for bit; the build runs
// AddressSanitizer and UndefinedBehaviorSanitizer too.
#include "core/discharge.h"

#include <bit>
#include <bitset>
#include <cctype>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cuchar>
#include <string>
#include <string_view>

namespace {

// The text as the ASCII a number is read from: blanks dropped, full-width
// forms and the ideographic full stops made ASCII, up to the first character
// that is none of those (or not well-formed UTF-8).
std::string Fold(std::string_view text)
{
    std::string out;
    std::mbstate_t state{};
    char32_t c;
    for (std::size_t i = 0, n; i < text.size(); i += n) {
        n = std::mbrtoc32(&c, text.data() + i, text.size() - i, &state);
        if (n == 0 || n > 4) // a NUL, or not UTF-8
            break;
        if (c == U'\u3002' || c == U'\uFF61')
            c = U'.';
        else if (c >= U'\uFF01' && c <= U'\uFF5E')
            c -= 0xFEE0;
        else if (c == U' ' || c == U'\t' || c == U'\n' || c == U'\u3000')
            continue;
        if (c >= 0x80)
            break;
        out += char(c);
    }
    return out;
}

double Model(std::string_view text)
{
    const std::string s = Fold(text);
    // strtod reads the longest decimal number at the start, and only that.
    if (s[0] != '&')
        return std::strtod(s.substr(0, s.find_first_not_of("0123456789.eE+-")).c_str(), nullptr);
    const char radix = char(s[1] | 0x20);
    if (radix != 'h' && radix != 'o')
        return 0;
    // The digits' bits, then four at a time as hex digits.
    std::string bits, hex = "0x0";
    for (std::size_t k = 2; k < s.size() && std::isxdigit(s[k]) && (radix == 'h' || s[k] < '8'); ++k)
        bits += std::bitset<4>(std::stoul(s.substr(k, 1), nullptr, 16)).to_string().substr(radix == 'o');
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    for (std::size_t k = 0; k < bits.size(); k += 4)
        hex += "0123456789abcdef"[std::bitset<4>(bits, k, 4).to_ulong()];
    return std::strtod(hex.c_str(), nullptr);
}

} // namespace

// The model decodes UTF-8 with the C library.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) {
        std::fputs("no C.UTF-8 locale to decode the text with\n", stderr);
        std::abort();
    }
    return 0;
}

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
