// Any 8 bytes as a double: its display text keeps to the display rules and
// reads back as the value rounded to 15 significant digits.
#include "core/discharge.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <regex>
#include <string>

namespace {

[[noreturn]] void Fail(const char* what, double value, const std::string& text)
{
    std::fprintf(stderr, "%s: %a shows \"%s\"\n", what, value, text.c_str());
    std::abort();
}

// Plain or exponent form (one digit before the point); a single 0 before a
// point; no trailing zeros after it; no separators; an exponent with a sign
// and at least two digits; at most 15 significant digits.
bool KeepsTheRules(const std::string& text)
{
    static const std::regex form(
        R"(-?((0|[1-9][0-9]*)(\.[0-9]*[1-9])?|[1-9](\.[0-9]*[1-9])?E[+-][0-9]{2,3}))");
    if (!std::regex_match(text, form) || text == "-0")
        return false;
    const std::size_t mantissaEnd = std::min(text.find('E'), text.size());
    int significant = 0;
    bool leading = true;
    for (std::size_t i = 0; i < mantissaEnd; ++i) {
        if (text[i] < '0' || text[i] > '9')
            continue;
        leading = leading && text[i] == '0';
        significant += !leading;
    }
    return significant <= 15;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size != sizeof(double))
        return -1;
    double value;
    std::memcpy(&value, data, sizeof value);
    const std::string text = core::NumberToText(value);

    if (!std::isfinite(value)) {
        if (text != (std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF"))
            Fail("non-finite", value, text);
        return 0;
    }
    if (!KeepsTheRules(text))
        Fail("breaks the display rules", value, text);

    char digits[32];
    const auto printed = std::to_chars(digits, digits + sizeof digits, value,
                                       std::chars_format::scientific, 14);
    double rounded = 0;
    if (std::from_chars(digits, printed.ptr, rounded).ec == std::errc::result_out_of_range)
        rounded = std::copysign(std::numeric_limits<double>::infinity(), value);
    if (core::TextToNumber(text) != rounded)
        Fail("does not read back", value, text);
    return 0;
}
