#include "core/discharge.h"

namespace core {
namespace {

// What one group of residents returns in a year:
// ((perCapitaUse * days) * (1 - consumptionRate)) * population, one operation
// at a time. Together with -ffp-contract=off on this library, each
// intermediate is rounded to binary64 on every target.
double YearlyReturn(double perCapitaUse, double days, double consumptionRate, double population)
{
    const double one = 1;
    const double base = perCapitaUse * days;
    const double returned = one - consumptionRate;
    const double yearly = base * returned;
    return yearly * population;
}

} // namespace

double ComputeDischarge(const DischargeInputs& in) noexcept
{
    return YearlyReturn(in.UrbanPerCapitaUse, in.DaysPerYear, in.UrbanConsumptionRate, in.UrbanPopulation)
           + YearlyReturn(in.RuralPerCapitaUse, in.DaysPerYear, in.RuralConsumptionRate, in.RuralPopulation);
}

} // namespace core
