// The trace's number format and columns, which outside tools parse.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#include "state/game_state.h"
#include "replay/trace.h"
#include "support/run_script.h"

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

TEST(TraceTest, FloatsAreWrittenAsPrintfG9AndRoundTrip)
{
    std::mt19937 random(12345);
    for (int i = 0; i < 200000; ++i) {
        std::uint32_t bits = random();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isnan(value))
            continue;
        const std::string text = traced(value);
        ASSERT_EQ(text, printfG9(value)) << bits;
        ASSERT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
    }
    for (float value : {0.0f, 1.0f, 90.0f, 0.07f, 1e-5f, 1e9f, 123456789.0f, 1.5707952f,
                        std::numeric_limits<float>::infinity(), std::numeric_limits<float>::denorm_min()})
        EXPECT_EQ(traced(value), printfG9(value));
}

TEST(TraceTest, NegativeZeroAndNotANumber)
{
    EXPECT_EQ(traced(-0.0f), "-0");
    EXPECT_EQ(traced(std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(traced(-std::numeric_limits<float>::quiet_NaN()), "nan");
}

TEST(TraceTest, HeaderAndRowsHaveTheSameColumns)
{
    const auto run = runScript("1 enter\n", 2);
    ASSERT_EQ(run.trace.columns.size(), 47u);
    EXPECT_EQ(run.trace.columns.front(), "frame");
    EXPECT_EQ(run.trace.columns[18], "dribbleFacing");
    EXPECT_EQ(run.trace.columns.back(), "bannerBlack");
    for (const auto& row : run.trace.rows)
        EXPECT_EQ(row.size(), 47u);
    EXPECT_EQ(run.trace.integer(2, "frame"), 2);
    EXPECT_EQ(run.csv.back(), '\n');
}
