#include "core/discharge.h"

#include <cmath>
#if CORE_NUMBER_TEXT_BY_PRINTF
#include <cstdio>
#else
#include <algorithm>
#include <charconv>
#endif

namespace core {

std::string NumberToText(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0"; // also for -0, which a user would read as a fault

    // "%.15G" never needs more than "-d.ddddddddddddddE-ddd" (22 characters).
    char buffer[32];
#if CORE_NUMBER_TEXT_BY_PRINTF
    // The C library's own, where only the "C" locale is ever in force.
    return std::string(buffer, std::snprintf(buffer, sizeof buffer, "%.15G", value));
#else
    char* const end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    if (char* e = std::find(buffer, end, 'e'); e != end)
        *e = 'E';
    return std::string(buffer, end);
#endif
}

} // namespace core
