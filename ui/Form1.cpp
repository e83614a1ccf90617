#include "ui/Form1.h"

#include "core/discharge.h"

#include <cmath>

namespace {

// The boxes and the fields they feed, Text1 first.
constexpr struct {
    const char* box;
    double core::DischargeInputs::*field;
} kInputs[] = {
    {"Text1", &core::DischargeInputs::UrbanPerCapitaUse},
    {"Text2", &core::DischargeInputs::RuralPerCapitaUse},
    {"Text3", &core::DischargeInputs::DaysPerYear},
    {"Text4", &core::DischargeInputs::UrbanConsumptionRate},
    {"Text5", &core::DischargeInputs::RuralConsumptionRate},
    {"Text6", &core::DischargeInputs::UrbanPopulation},
    {"Text7", &core::DischargeInputs::RuralPopulation},
};

} // namespace

void Command1_Click(platform::Form& form)
{
    core::DischargeInputs inputs;
    for (const auto& [box, field] : kInputs)
        inputs.*field = core::TextToNumber(form.Text(box));
    // Every figure takes part in a product, so one beyond range in a box makes
    // the total infinite or NaN as well.
    const double shown = core::ComputeDischarge(inputs) / core::DisplayDivisor;
    if (!std::isfinite(shown)) {
        platform::ReportRuntimeError(form, platform::RuntimeError::Overflow);
        return;
    }
    form.SetCaption("Label7", core::NumberToText(shown));
}
