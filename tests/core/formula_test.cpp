#include "core/discharge.h"

#include <gtest/gtest.h>

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

// Totals worked out one binary64 operation at a time, in the formula's
// grouping. On the first rows, fusing either group's last product into the
// sum, as a compiler may on a target with FMA, changes the last bit; the last
// has a rate above 1. (The worked examples are the window scenarios'.)
TEST_F(Formula, RoundsEveryStepOnItsOwn)
{
    const struct {
        core::DischargeInputs in;
        double total;
    } rows[] = {
        {{90.3, 57.9, 360, 0.27, 0.27, 5106131, 7622128}, 0x1.b9bae1c89b332p+37},
        {{289.7, 86.5, 365, 0.6, 0.68, 2418076, 7384441}, 0x1.4977de14b3334p+37},
        {{60.1, 196.5, 360, 0.37, 0.53, 9062979, 9540219}, 0x1.9a753bb85fae0p+38},
        {{231.2, 145.8, 366, 0.15, 0.02, 6029680, 2091890}, 0x1.f9ca8f526f0a4p+38},
        {{200, 100, 365, 1.25, 0.8, 10000, 5000}, -0x1.16791p+27},
    };
    for (const auto& [in, total] : rows)
        EXPECT_EQ(core::ComputeDischarge(in), total) << std::hexfloat << "rather than " << total;
}

} // namespace
