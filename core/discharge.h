// The calculation core: the yearly wastewater estimate and the conversions
// between the text of an input box and a number. No user interface, no
// global state, independent of the process locale.
#pragma once

#include <string>
#include <string_view>

namespace core {

// The seven figures of one estimate, in the order of the input boxes.
// Every value is used as it is: zero, negative values, fractions and rates
// above 1 are all valid.
struct DischargeInputs {
    double UrbanPerCapitaUse = 0;    // daily use of one urban resident
    double RuralPerCapitaUse = 0;    // daily use of one rural resident
    double DaysPerYear = 0;          // days counted in the year
    double UrbanConsumptionRate = 0; // fraction of urban use consumed, not returned
    double RuralConsumptionRate = 0; // fraction of rural use consumed, not returned
    double UrbanPopulation = 0;      // number of urban residents
    double RuralPopulation = 0;      // number of rural residents
};

// The window shows the yearly total divided by this.
inline constexpr int DisplayDivisor = 1000;

// The yearly volume returned as wastewater:
//   ((UrbanPerCapitaUse * DaysPerYear) * (1 - UrbanConsumptionRate)) * UrbanPopulation
// + ((RuralPerCapitaUse * DaysPerYear) * (1 - RuralConsumptionRate)) * RuralPopulation
// evaluated in exactly that grouping, each operation rounded to binary64
// (never fused, never re-associated), so every build gives the same bits.
// No check of its own: infinities and NaN follow IEEE 754 (a product beyond
// the double range gives +-infinity, infinity minus infinity gives NaN).
double ComputeDischarge(const DischargeInputs& in) noexcept;

// Reads the number at the start of a box's text (UTF-8). Lenient; never fails.
// - Blanks, tabs and line feeds are skipped wherever they stand, also between
//   digits ("1 000" is 1000). The ideographic space U+3000 counts as a blank;
//   the full-width forms U+FF01..U+FF5E read as their ASCII counterparts
//   ("１００００" is 10000), and the ideographic full stops U+3002 "。" and
//   U+FF61 "｡" as "." ("0。25" is 0.25), as input methods type them.
// - Decimal: an optional sign, digits with at most one "." (always ".", never
//   ","), then an optional exponent: E or e, an optional sign, digits. An
//   exponent letter without digits is ignored ("1e" is 1).
// - "&H" or "&O" (either case) at the start, then hex or octal digits of
//   any number: a non-negative integer ("&HFFFF" is 65535).
// - Reading stops at the first character that cannot continue the number;
//   the rest is ignored ("12abc" is 12, "0,25" is 0). No leading number,
//   the empty text included, gives 0. Any bytes are safe, invalid UTF-8 too.
// Rounds to the nearest double, ties to even. A magnitude beyond the double
// range gives +-infinity, one below the smallest subnormal gives +-0.
// Time is linear in the length of the text.
double TextToNumber(std::string_view text) noexcept;

// The display text of a number: for a finite value, exactly what
// printf("%.15G") writes in the C locale. That is 15 significant digits,
// trailing zeros and a trailing point dropped, "0.5" with its leading zero,
// exponent form such as "1.5E+20" or "1E-05" when the decimal exponent is
// below -4 or above 14, and always "." as the decimal point. Negative zero
// gives "0". Non-finite values give "INF", "-INF" and "NAN".
std::string NumberToText(double value);

} // namespace core
