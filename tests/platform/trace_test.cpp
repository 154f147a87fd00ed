// The trace's number format and columns, which outside tools parse.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>

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
    std::istringstream lines(run.csv);
    std::string line;
    int rows = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 46) << line;
        rows += line.rfind("frame,", 0) != 0;
    }
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(run.csv.rfind("frame,", 0), 0u);
    EXPECT_NE(run.csv.find(",dribbleFacing,"), std::string::npos);
    EXPECT_EQ(run.csv.back(), '\n');
}
