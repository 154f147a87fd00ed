// The rules at their exact edges, which no scenario pins down.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "state/game_state.h"
#include "sim/ball_rules.h"
#include "sim/kickoff.h"
#include "sim/pitch_lines.h"

namespace {

using Count = std::pair<int, int>;  // goals, attempts

Count lineRulesAt(float x, float y, float z, int goals = 0)
{
    GameState s;
    kickoffReset(s);
    s.goals = goals;
    s.ball = {x, y, z};
    lineRules(s);
    return {s.goals, s.attempts};
}

}  // namespace

TEST(BallRulesTest, ABallExactlyOnALineOrLevelWithTheBarStaysInPlay)
{
    GameState s;
    kickoffReset(s);
    const float goal = goalLine(s), far = farOutLine(s), in = mouthMiddle(s), bar = crossbarHeight;
    EXPECT_EQ(lineRulesAt(0.0f, far, 0.0f), Count(0, 0));
    EXPECT_EQ(lineRulesAt(0.0f, std::nextafter(far, 1.0f), 0.0f), Count(0, 1));
    EXPECT_EQ(lineRulesAt(goal, -8.0f, 0.0f), Count(0, 0));
    EXPECT_EQ(lineRulesAt(std::nextafter(goal, -20.0f), -8.0f, 0.0f), Count(0, 1));
    // Beyond the goal line: on the mouth's edge, at the bar, under it, over it.
    EXPECT_EQ(lineRulesAt(-20.0f, mouthHigh(s), 0.0f), Count(0, 0));
    EXPECT_EQ(lineRulesAt(-20.0f, in, bar), Count(0, 0));
    EXPECT_EQ(lineRulesAt(-20.0f, in, std::nextafter(bar, 0.0f)), Count(1, 0));
    EXPECT_EQ(lineRulesAt(-20.0f, in, std::nextafter(bar, 1.0f)), Count(0, 1));
    EXPECT_EQ(lineRulesAt(-20.0f, -8.0f, 1.0f), Count(0, 2)) << "beside the mouth and over";
    // The right-hand goal takes one back, never below zero.
    EXPECT_EQ(lineRulesAt(20.0f, in, 0.0f, 2), Count(1, 0));
    EXPECT_EQ(lineRulesAt(20.0f, in, 0.0f, 0), Count(0, 0));
}

TEST(BallRulesTest, ABallThatIsNotANumberIsOutOfPlay)
{
    for (int axis = 0; axis < 3; ++axis) {
        float at[3] = {4.0f, -11.0f, 0.0f};
        at[axis] = std::numeric_limits<float>::quiet_NaN();
        EXPECT_EQ(lineRulesAt(at[0], at[1], at[2]), Count(0, 1)) << "axis " << axis;
    }
}

// While paused the pending reset keeps the hold from costing again (the
// keeper_pause scenario); in play every hold counts, a pending reset or not.
TEST(BallRulesTest, AKeeperHoldInPlayCostsAnAttemptWithAResetPending)
{
    GameState s;
    kickoffReset(s);
    s.ball = {s.keeper.x, s.keeper.y, 0.0f};
    s.resetRequest = 1;
    keeperHold(s);
    EXPECT_EQ(s.attempts, 1);
}
