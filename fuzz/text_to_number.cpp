// Any bytes at all as the text of a box: no crash, no undefined behaviour
// (the build runs AddressSanitizer and UndefinedBehaviorSanitizer), never
// NaN, which no text can mean, and never infinite for a word such as "inf":
// only a number too large is.
#include "core/discharge.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = core::TextToNumber(text);
    if (std::isnan(value))
        std::abort();
    // A number too large needs decimal digits, or hex ones after "&"; full-width
    // digits are EF BC 90 .. EF BC 99 and the full-width "&" is EF BC 86.
    const bool mayBeLarge = std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= '0' && byte <= '9') || byte == '&' || (byte >= 0x90 && byte <= 0x99)
               || byte == 0x86;
    });
    if (std::isinf(value) && !mayBeLarge)
        std::abort();
    return 0;
}
