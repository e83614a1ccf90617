#include "core/discharge.h"

namespace core {

// One operation per statement: together with -ffp-contract=off on this
// library, each intermediate is rounded to binary64 on every target.
double ComputeDischarge(const DischargeInputs& in) noexcept
{
    const double one = 1;

    const double urbanBase = in.UrbanPerCapitaUse * in.DaysPerYear;
    const double urbanReturn = one - in.UrbanConsumptionRate;
    const double urbanYearly = urbanBase * urbanReturn;
    const double urbanPart = urbanYearly * in.UrbanPopulation;

    const double ruralBase = in.RuralPerCapitaUse * in.DaysPerYear;
    const double ruralReturn = one - in.RuralConsumptionRate;
    const double ruralYearly = ruralBase * ruralReturn;
    const double ruralPart = ruralYearly * in.RuralPopulation;

    return urbanPart + ruralPart;
}

} // namespace core
