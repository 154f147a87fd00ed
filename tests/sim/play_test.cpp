// A pass between two players on one point: 0 / 0 at the touch makes the
// ball not a number, and the attempt ends. No scenario gets there, because
// float steps make the exact meeting a matter of luck with the keys.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/run_script.h"

TEST(PlayTest, APassBetweenPlayersOnOnePointEndsTheAttempt)
{
    // player2 is put on player1 by hand once player1 has the ball.
    std::string text = "1 enter\n";
    for (int turn = 2; turn <= 32; ++turn)
        text += std::to_string(turn) + " left\n";
    const Script script = parseScript(text + "34 a\n", "nan pass");
    HeadlessGame game(script.events);
    GameState& s = game.state;
    ASSERT_TRUE(game.start());
    for (int f = 1; f <= 36 && game.turn(); ++f) {
        if (f == 32)
            s.player2 = {s.player1.x, s.player1.y, 0.0f};
        // 0 / 0 at the touch, a pass step along it, out of play in the next step.
        EXPECT_EQ(std::isnan(s.passAngle), f >= 33 && f <= 35) << "frame " << f;
        EXPECT_EQ(std::isnan(s.ball.x), f == 34 || f == 35) << "frame " << f;
        EXPECT_EQ(s.attempts, f >= 35 ? 1 : 0) << "frame " << f;
    }
    EXPECT_EQ(s.ball.x, 4.0f) << "and the kick-off after it";
    game.stop();
}
