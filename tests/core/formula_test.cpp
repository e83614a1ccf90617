#include "core/discharge.h"

#include <gtest/gtest.h>

namespace {

// Totals worked out one binary64 operation at a time, in the formula's
// grouping. On the first row, fusing either group's last product into the
// sum (as a compiler may where there is FMA), computing in 80 bits (x87),
// another grouping or swapping the groups' figures changes the bits; the
// second has a rate above 1.
TEST(Formula, RoundsEveryStepOnItsOwn)
{
#ifdef CORE_BUILT_FOR_FMA
    // The core under test here uses FMA instructions; this test's own code does not.
    if (!__builtin_cpu_supports("fma") || !__builtin_cpu_supports("avx2"))
        GTEST_SKIP() << "this processor has no FMA; the core built for it cannot run";
#endif
    const struct {
        core::DischargeInputs in;
        double total;
    } rows[] = {
        {{289.7, 86.5, 365, 0.6, 0.68, 2418076, 7384441}, 0x1.4977de14b3334p+37},
        {{200, 100, 365, 1.25, 0.8, 10000, 5000}, -0x1.16791p+27},
    };
    for (const auto& [in, total] : rows)
        EXPECT_EQ(core::ComputeDischarge(in), total) << std::hexfloat << "rather than " << total;
}

} // namespace
