// The trace's number format, which outside tools parse.

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "replay/trace.h"

namespace {
std::string traced(float value)
{
    char buffer[64];
    return std::string(buffer, formatTraceFloat(buffer, value));
}

std::string printfG9(float value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    return buffer;
}
}  // namespace

// Every 4099th bit pattern; all 2^32 with BRIGHTWICKET_EVERY_FLOAT set (the
// `long` test trace_every_float, some minutes).
TEST(TraceTest, FloatsAreWrittenAsPrintfG9)
{
    const std::uint64_t step = std::getenv("BRIGHTWICKET_EVERY_FLOAT") ? 1 : 4099;
    std::uint64_t checked = 0;
    for (std::uint64_t bits = 0; bits < (std::uint64_t(1) << 32); bits += step, ++checked) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        char expected[64] = "nan", *end = expected + 3;
        if (!std::isnan(value))
            end = std::to_chars(expected, expected + sizeof expected, value, std::chars_format::general, 9).ptr;
        ASSERT_EQ(traced(value), std::string(expected, end)) << bits;
    }
    std::printf("%llu bit patterns checked\n", static_cast<unsigned long long>(checked));
    for (float value : {0.0f, -0.0f, 1.0f, 90.0f, 0.07f, 1e-5f, 1e9f, 123456789.0f, 1.5707952f, 999999999.5f, 0.000099999999f,
                        std::numeric_limits<float>::infinity(), std::numeric_limits<float>::denorm_min()})
        EXPECT_EQ(traced(value), printfG9(value));
}
