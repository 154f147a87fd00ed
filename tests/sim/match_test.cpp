// Whole matches through the headless runner, and the one ending a player
// cannot easily reach with the keys: both user players on the same point.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/run_script.h"

namespace {

// FNV-1a over the gameplay columns (controlledPlayer to keeper.ballAngle) of
// every row: any change of evaluation order or precision shows here.
std::uint64_t gameplayDigest(const Trace& t, std::int64_t lastFrame)
{
    std::size_t first = 0, last = 0;
    for (std::size_t c = 0; c < t.columns.size(); ++c) {
        if (t.columns[c] == "controlledPlayer")
            first = c;
        if (t.columns[c] == "keeper.ballAngle")
            last = c;
    }
    std::uint64_t h = 1469598103934665603ull;
    for (std::int64_t f = 1; f <= lastFrame; ++f)
        for (std::size_t c = first; c <= last; ++c)
            for (char ch : t.rows[static_cast<std::size_t>(f - 1)][c] + ",")
                h = (h ^ static_cast<unsigned char>(ch)) * 1099511628211ull;
    return h;
}

}  // namespace

TEST(MatchTest, FourGoalsWinAndTwentyFiveAttemptsLose)
{
    const auto run = runScript(scenario("match.script"), 3860);
    const Trace& t = run.trace;
    const int goalFrames[] = {132, 288, 419, 550};
    const int shotStates[] = {-3, -2, -3, -3};  // lower, upper, lower, lower
    for (int i = 0; i < 4; ++i) {
        const int f = goalFrames[i];
        EXPECT_EQ(t.integer(f - 1, "goals"), i);
        EXPECT_EQ(t.integer(f, "goals"), i + 1);
        EXPECT_EQ(t.integer(f, "attempts"), 0);
        EXPECT_EQ(t.integer(f, "shotState"), shotStates[i]);
        EXPECT_LT(t.real(f - 1, "ball.x"), t.real(f - 1, "pitch.x") - 16.9f);
        EXPECT_LT(t.real(f - 1, "ball.z"), 0.8f);
        if (i < 3) {
            EXPECT_EQ(t.real(f + 1, "ball.x"), 4.0f) << "kick-off on the next step";
        }
    }
    EXPECT_EQ(t.integer(549, "matchPhase"), 2);
    EXPECT_EQ(t.integer(550, "matchPhase"), 1);
    EXPECT_EQ(t.banner(550), "         victory... goals  4");
    EXPECT_EQ(gameplayDigest(t, 550), 2800353084280935587u);

    // Second match: nobody touches the ball and defender1 takes it every 132
    // frames.
    EXPECT_EQ(t.integer(560, "attempts"), 0);
    EXPECT_EQ(t.integer(691, "attempts"), 1);
    EXPECT_EQ(t.integer(3858, "attempts"), 24);
    EXPECT_EQ(t.integer(3858, "matchPhase"), 2);
    EXPECT_EQ(t.integer(3859, "attempts"), 25);
    EXPECT_EQ(t.integer(3859, "matchPhase"), 1);
    EXPECT_EQ(t.banner(3859), "         defeat... attempts  25");
    EXPECT_EQ(t.banner(3860), "         defeat... attempts  25");
}

TEST(MatchTest, APassBetweenPlayersOnOnePointEndsTheAttempt)
{
    // Float steps make the exact meeting a matter of luck with the keys, so
    // player2 is put on player1 by hand once player1 has the ball.
    std::string text = "1 enter\n";
    for (int turn = 2; turn <= 32; ++turn)
        text += std::to_string(turn) + " left\n";
    const Script script = parseScript(text + "34 a\n", "nan pass");
    HeadlessGame game(script.events);
    GameState& s = game.state;
    ASSERT_TRUE(game.start());
    for (int f = 1; f <= 36; ++f) {
        ASSERT_TRUE(game.turn());
        if (f == 32) {
            ASSERT_EQ(s.ballHolder, 1);
            s.player2.x = s.player1.x;
            s.player2.y = s.player1.y;
        }
        if (f == 33) {
            EXPECT_TRUE(std::isnan(s.passAngle)) << "0 / 0 at the touch";
        }
        if (f == 34) {
            EXPECT_TRUE(std::isnan(s.ball.x) && std::isnan(s.ball.y) && s.attempts == 0);
        }
        if (f == 35) {
            EXPECT_TRUE(s.attempts == 1 && s.resetRequest == 1) << "out of play a frame later";
        }
    }
    EXPECT_EQ(s.ball.x, 4.0f) << "and the kick-off after it";
    EXPECT_EQ(s.attempts, 1);
    game.stop();
}
