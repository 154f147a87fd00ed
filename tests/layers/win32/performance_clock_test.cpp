#include <gtest/gtest.h>

#include <cstdint>

#include "layers/win32/performance_clock.h"

// The Windows clock scales performance-counter ticks to nanoseconds; a
// machine that has been up for weeks must not wrap it.
TEST(PerformanceClock, ExactAndWithoutOverflowAfterLongUptime)
{
    constexpr std::int64_t tenMegahertz = 10'000'000;
    EXPECT_EQ(ticksToNanoseconds(0, tenMegahertz), 0);
    EXPECT_EQ(ticksToNanoseconds(340'001, tenMegahertz), 34'000'100);

    constexpr std::int64_t thirtyDays = 30LL * 24 * 3600;
    EXPECT_EQ(ticksToNanoseconds(thirtyDays * tenMegahertz + 7, tenMegahertz),
              thirtyDays * 1'000'000'000 + 700);

    // A counter running at the processor's clock rate.
    constexpr std::int64_t threeGigahertz = 3'000'000'000;
    EXPECT_EQ(ticksToNanoseconds(thirtyDays * threeGigahertz + 3, threeGigahertz),
              thirtyDays * 1'000'000'000 + 1);
}
