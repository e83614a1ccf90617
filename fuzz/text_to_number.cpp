// Any bytes at all as the text of a box: no crash, no undefined behaviour
// (the build runs AddressSanitizer and UndefinedBehaviorSanitizer), and never
// NaN, which no text can mean.
#include "core/discharge.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const double value =
        core::TextToNumber({reinterpret_cast<const char*>(data), size});
    if (std::isnan(value))
        std::abort();
    return 0;
}
