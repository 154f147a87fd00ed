// Play through the headless runner, checked on the trace: kick-off, carrying
// and the world scroll, a pass, shots that end an attempt, the keeper.

#include <gtest/gtest.h>

#include <cmath>

#include "support/run_script.h"

namespace {

void expectKickoffLayout(const Trace& t, int f)
{
    EXPECT_EQ(t.real(f, "ball.x"), 4.0f);
    EXPECT_EQ(t.real(f, "ball.y"), -11.0f);
    EXPECT_EQ(t.real(f, "ball.z"), 0.0f);
    EXPECT_EQ(t.real(f, "pitch.x"), -1.5f);
    EXPECT_EQ(t.real(f, "player1.x"), 8.0f);
    EXPECT_EQ(t.integer(f, "resetRequest"), 3);
}

}  // namespace

TEST(PlayTest, TheFirstStepRestoresTheKickoffAndDefender1Chases)
{
    const auto run = runScript("1 enter\n", 1);
    const Trace& t = run.trace;
    expectKickoffLayout(t, 1);
    EXPECT_EQ(t.real(1, "player2.y"), -4.0f);
    EXPECT_EQ(t.text(1, "player2.heading"), "1.57079518");
    EXPECT_EQ(t.real(1, "defender2.x"), -7.0f) << "the ball is below the split line";
    EXPECT_EQ(t.real(1, "defender3.y"), -14.0f);
    EXPECT_EQ(t.real(1, "keeper.x"), -17.3f);
    EXPECT_EQ(t.text(1, "dribbleFacing"), "270");
    EXPECT_EQ(t.integer(1, "passDirection"), 2);
    EXPECT_EQ(t.integer(1, "ballHolder"), 0);
    // One step of 0.084 straight at the ball, angles in single precision.
    EXPECT_EQ(t.text(1, "defender1.x"), "-7.91629028");
    EXPECT_EQ(t.text(1, "defender1.y"), "-11.9930239");
    EXPECT_EQ(t.text(1, "defender1.chaseAngle"), "85.2364273");
}

TEST(PlayTest, CarryingTheBallScrollsThePitchAndEveryoneElse)
{
    const auto run = runScript(scenario("first_dribble.script"), 42);
    const Trace& t = run.trace;
    EXPECT_EQ(t.integer(31, "ballHolder"), 0);
    EXPECT_EQ(t.integer(32, "ballHolder"), 1);
    EXPECT_EQ(t.real(32, "ball.x"), t.real(32, "player1.x") - 0.6f);
    EXPECT_EQ(t.real(32, "pitch.x"), -1.5f + 0.03f);
    EXPECT_EQ(t.real(32, "keeper.x"), -17.3f + 0.03f);
    for (int f = 33; f <= 42; ++f) {
        for (const char* c : {"pitch.y", "player2.y", "defender3.y", "keeper.y"})
            EXPECT_EQ(t.real(f, c), t.real(f - 1, c) - 0.07f) << c << " frame " << f;
        EXPECT_EQ(t.real(f, "pitch.x"), t.real(32, "pitch.x"));
        EXPECT_EQ(t.real(f, "player1.y"), t.real(f - 1, "player1.y") + 0.1f);
        EXPECT_EQ(t.real(f, "ball.y"), t.real(f, "player1.y") + 0.6f);
    }
    EXPECT_EQ(t.text(42, "dribbleFacing"), "0");
    EXPECT_NEAR(t.real(42, "pitch.y") - 5.2f, -1.2f - 0.7f, 1e-5f) << "the far out line moved";
}

TEST(PlayTest, APassHandsOverControlAndEndsLeftOfTheReceiver)
{
    const auto run = runScript(scenario("pass.script"), 66);
    const Trace& t = run.trace;
    EXPECT_EQ(t.integer(33, "controlledPlayer"), 2) << "the receiver runs from the first frame";
    EXPECT_EQ(t.integer(33, "ballInFlight"), 1);
    const float dx = t.real(34, "ball.x") - t.real(33, "ball.x");
    const float dy = t.real(34, "ball.y") - t.real(33, "ball.y");
    EXPECT_NEAR(std::hypot(dx, dy), 0.2f, 1e-5f);
    EXPECT_EQ(t.integer(65, "passState"), 2);
    EXPECT_EQ(t.real(66, "ball.x"), t.real(66, "player2.x") - 0.6f);
    EXPECT_EQ(t.real(66, "ball.y"), t.real(66, "player2.y"));
    EXPECT_EQ(t.text(66, "dribbleFacing"), "90");
    EXPECT_EQ(t.integer(66, "passState"), 3);
    EXPECT_EQ(t.integer(66, "passDirection"), 3);
    EXPECT_EQ(t.integer(66, "ballInFlight"), 0);
}

TEST(PlayTest, ShotsThatEndTheAttempt)
{
    // Too long: 40 low steps, then over the bar when it crosses the goal line.
    auto run = runScript(scenario("over_the_bar.script"), 101);
    const Trace& t = run.trace;
    EXPECT_EQ(t.integer(41, "shotState"), -3) << "the first draw aims low";
    EXPECT_EQ(t.integer(41, "controlledPlayer"), 333);
    EXPECT_LT(t.real(80, "ball.z"), 0.8f);
    EXPECT_GT(t.real(81, "ball.z"), 0.8f);
    EXPECT_LT(t.real(99, "ball.x"), t.real(99, "pitch.x") - 16.9f);
    EXPECT_EQ(t.integer(99, "attempts"), 0);
    EXPECT_EQ(t.integer(100, "attempts"), 1);
    EXPECT_EQ(t.integer(100, "goals"), 0);
    expectKickoffLayout(t, 101);
    EXPECT_EQ(t.integer(101, "ballInFlight"), 1) << "the reset leaves it";

    // Over the bar and beside the mouth in one frame.
    run = runScript(scenario("two_endings.script"), 106);
    EXPECT_EQ(run.trace.integer(105, "attempts"), 0);
    EXPECT_EQ(run.trace.integer(106, "attempts"), 2);

    // Angles from the last touch, sense from where the ball now is: this one
    // flies into the right-hand goal, which takes back a goal there is not.
    run = runScript(scenario("wrong_way_shot.script"), 63);
    EXPECT_GT(run.trace.real(62, "ball.x"), run.trace.real(62, "pitch.x") + 16.9f);
    EXPECT_EQ(run.trace.integer(63, "resetRequest"), 1);
    EXPECT_EQ(run.trace.integer(63, "goals"), 0);
    EXPECT_EQ(run.trace.integer(63, "attempts"), 0);
}

TEST(PlayTest, TheKeeperHoldsAndSlidesOnDuringAPause)
{
    const std::string script = scenario("keeper_pause.script");
    auto run = runScript(script.substr(0, script.find("# pause")), 228);
    EXPECT_EQ(run.trace.integer(226, "attempts"), 1);
    EXPECT_EQ(run.trace.integer(227, "attempts"), 2) << "held in play";
    expectKickoffLayout(run.trace, 228);

    run = runScript(script, 256);
    const Trace& t = run.trace;
    for (int f = 226; f <= 255; ++f) {
        EXPECT_EQ(t.text(f, "ball.y"), t.text(225, "ball.y"));
        EXPECT_GT(t.real(f, "keeper.y"), t.real(f - 1, "keeper.y")) << "frame " << f;
        EXPECT_EQ(t.integer(f, "attempts"), f < 227 ? 1 : 2) << "frame " << f;
    }
    EXPECT_EQ(t.integer(255, "pauseState"), 2);
    expectKickoffLayout(t, 256);
    EXPECT_EQ(t.integer(256, "attempts"), 2);
}
