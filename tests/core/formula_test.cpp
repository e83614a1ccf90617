#include "core/discharge.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace {

#ifdef CORE_BUILT_FOR_FMA
// The core under test here uses FMA instructions; this test's own code does not.
class Formula : public testing::Test {
protected:
    void SetUp() override
    {
        if (!__builtin_cpu_supports("fma") || !__builtin_cpu_supports("avx2"))
            GTEST_SKIP() << "this processor has no FMA; the core built for it cannot run";
    }
};
#else
using Formula = testing::Test;
#endif

// Each step stored through a volatile, so that no build can fuse or reorder.
double StepByStep(const core::DischargeInputs& in)
{
    const auto part = [](double use, double days, double rate, double people) {
        volatile double base = use * days, kept = 1.0 - rate, yearly = base * kept;
        return yearly * people;
    };
    volatile double urban = part(in.UrbanPerCapitaUse, in.DaysPerYear, in.UrbanConsumptionRate, in.UrbanPopulation);
    volatile double rural = part(in.RuralPerCapitaUse, in.DaysPerYear, in.RuralConsumptionRate, in.RuralPopulation);
    return urban + rural;
}

// Random inputs, rates above 1 among them, compared bit for bit with the
// step-by-step rounding (the worked examples are the window scenarios'). The
// sweep must also be able to tell: a fused last step differs in some rows.
TEST_F(Formula, RoundsEveryStepOnItsOwn)
{
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> use(0, 1000), days(0, 400), rate(0, 1.5), population(0, 1e7);
    int fusedDiffers = 0;
    for (int i = 0; i < 200000; ++i) {
        const core::DischargeInputs in{use(random), use(random), days(random), rate(random),
                                       rate(random), population(random), population(random)};
        const double expected = StepByStep(in);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(core::ComputeDischarge(in)),
                  std::bit_cast<std::uint64_t>(expected)) << "row " << i;
        const double urban = in.UrbanPerCapitaUse * in.DaysPerYear * (1.0 - in.UrbanConsumptionRate);
        const double rural = in.RuralPerCapitaUse * in.DaysPerYear * (1.0 - in.RuralConsumptionRate);
        fusedDiffers += std::fma(urban, in.UrbanPopulation, rural * in.RuralPopulation) != expected;
    }
    EXPECT_GT(fusedDiffers, 1000);
}

} // namespace
