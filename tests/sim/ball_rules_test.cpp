// The rules at their exact edges and the float details no scenario can pin
// down, on hand-made states at the kick-off layout.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/game_state.h"
#include "sim/angles.h"
#include "sim/ball_flight.h"
#include "sim/ball_rules.h"
#include "sim/kickoff.h"
#include "sim/pitch_lines.h"

namespace {

// Goals and attempts after the line rules see the ball at (x, y, z).
std::pair<int, int> lineRulesAt(float x, float y, float z, int goals = 0)
{
    GameState s;
    kickoffReset(s);
    s.goals = goals;
    s.ball = {x, y, z};
    lineRules(s);
    return {s.goals, s.attempts};
}

float beyond(float line, float direction) { return std::nextafter(line, direction); }

}  // namespace

TEST(BallRulesTest, ABallExactlyOnALineOrLevelWithTheBarStaysInPlay)
{
    GameState s;
    kickoffReset(s);
    const float goal = goalLine(s), far = farOutLine(s), high = mouthHigh(s), in = mouthMiddle(s);
    using P = std::pair<int, int>;
    EXPECT_EQ(lineRulesAt(0.0f, far, 0.0f), P(0, 0));
    EXPECT_EQ(lineRulesAt(0.0f, beyond(far, 1.0f), 0.0f), P(0, 1));
    EXPECT_EQ(lineRulesAt(goal, -8.0f, 0.0f), P(0, 0));
    EXPECT_EQ(lineRulesAt(beyond(goal, -20.0f), -8.0f, 0.0f), P(0, 1));
    // Beyond the goal line on the mouth's edge: neither a goal nor out.
    EXPECT_EQ(lineRulesAt(-20.0f, high, 0.0f), P(0, 0));
    EXPECT_EQ(lineRulesAt(-20.0f, in, crossbarHeight), P(0, 0));
    EXPECT_EQ(lineRulesAt(-20.0f, in, beyond(crossbarHeight, 0.0f)), P(1, 0));
    EXPECT_EQ(lineRulesAt(-20.0f, in, beyond(crossbarHeight, 1.0f)), P(0, 1));
    // Beside the mouth and over the bar: two rules, two attempts.
    EXPECT_EQ(lineRulesAt(-20.0f, -8.0f, 1.0f), P(0, 2));
    // The right-hand goal takes one back, never below zero.
    EXPECT_EQ(lineRulesAt(20.0f, in, 0.0f, 2), P(1, 0));
    EXPECT_EQ(lineRulesAt(20.0f, in, 0.0f, 0), P(0, 0));
}

TEST(BallRulesTest, ABallThatIsNotANumberEndsTheAttempt)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (int axis = 0; axis < 3; ++axis) {
        float at[3] = {4.0f, -11.0f, 0.0f};
        at[axis] = nan;
        EXPECT_EQ(lineRulesAt(at[0], at[1], at[2]), std::make_pair(0, 1)) << "axis " << axis;
    }
}

TEST(BallRulesTest, AKeeperHoldDuringAPauseCostsOneAttempt)
{
    GameState s;
    kickoffReset(s);
    s.ball = {s.keeper.x, s.keeper.y, 0.0f};
    s.pauseState = 2;
    keeperHold(s);
    keeperHold(s);
    EXPECT_EQ(s.attempts, 1) << "the reset it asked for is still pending";
    s.pauseState = 0;
    keeperHold(s);
    EXPECT_EQ(s.attempts, 2) << "in play every hold counts";
}

TEST(BallFlightTest, AShotHasFortyLowStepsOfSixteenUnits)
{
    GameState s;
    s.ballHolder = 1;
    s.shotState = -2;
    int low = 0;
    while (s.ball.z < crossbarHeight) {
        shotStep(s);
        low += s.ball.z < crossbarHeight;
    }
    EXPECT_EQ(low, 40) << "added up in doubles the 40th step would already be over";
    EXPECT_EQ(s.ball.y, 16.3999939f) << "41 steps of 0.4 straight up the pitch";
    EXPECT_EQ(s.controlledPlayer, 333);
}

TEST(BallFlightTest, TheGamesRadianFactorGivesTheFourHeadings)
{
    // Not pi / 180: the factor turns the carrying directions into exactly the
    // headings the figures are drawn with.
    EXPECT_EQ(radiansOf(90.0f), headingLeft);
    EXPECT_EQ(radiansOf(180.0f), headingDown);
    EXPECT_EQ(radiansOf(270.0f), headingRight);
    EXPECT_EQ(degreesOf(1.0f), 45.0000381f);
}
