// Any 8 bytes as a double: its display text is what printf("%.15G") writes
// (0 for either zero; INF, -INF and NAN for the others), and it reads back as
// the value rounded to 15 significant digits.
#include "core/discharge.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size != sizeof(double))
        return -1;
    double value;
    std::memcpy(&value, data, sizeof value);
    const std::string text = core::NumberToText(value);

    char printed[32];
    std::snprintf(printed, sizeof printed, "%.15G", value);
    const char* expected = value == 0 ? "0" : std::isnan(value) ? "NAN" : printed;
    if (text != expected) {
        std::fprintf(stderr, "%a shows \"%s\", not \"%s\"\n", value, text.c_str(), expected);
        std::abort();
    }
    if (!std::isfinite(value))
        return 0;
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 14).ptr;
    double rounded = 0;
    if (std::from_chars(digits, end, rounded).ec == std::errc::result_out_of_range)
        rounded = std::copysign(std::numeric_limits<double>::infinity(), value);
    if (core::TextToNumber(text) != rounded) {
        std::fprintf(stderr, "%a shows \"%s\", which does not read back as %a\n", value, text.c_str(), rounded);
        std::abort();
    }
    return 0;
}
