// Start values, the main loop's one-message-per-turn rhythm, the frame pause
// and the shutdown.

#include <gtest/gtest.h>

#include "state/game_state.h"
#include "app/input.h"
#include "app/main_loop.h"
#include "app/run_frame.h"
#include "support/run_script.h"

TEST(GameStateTest, StartValuesBeforeTheFirstFrame)
{
    const GameState s;
    EXPECT_EQ(s.matchPhase, 1);
    EXPECT_EQ(s.resetRequest, 1);
    EXPECT_EQ(s.passState, 1);
    EXPECT_EQ(s.shotState, 3);
    EXPECT_EQ(s.passDirection, 2);
    EXPECT_EQ(s.controlledPlayer, 1);
    EXPECT_EQ(s.dribbler, 1);
    EXPECT_EQ(s.dribbleMark, 1);
    EXPECT_EQ(s.dribbleFacing, 90.0f);
    EXPECT_EQ(s.inputGate, 2);
    EXPECT_EQ(s.closeState, 1);
    EXPECT_EQ(s.running, 1);

    // Everything else zero or empty.
    for (std::int32_t v : {s.shuttingDown, s.glSetupStep, s.menuVisible, s.refocusRequest,
                           s.upLatch, s.downLatch, s.leftLatch, s.rightLatch, s.enterLatch,
                           s.pauseLatch, s.restartLatch, s.pauseState, s.pauseFrames, s.goals,
                           s.attempts, s.musicState, s.musicFrames, s.ballHolder,
                           s.ballInFlight, s.drawIndex, s.plotIndex, s.plotColumn, s.plotRow,
                           s.glyphCode})
        EXPECT_EQ(v, 0);
    for (float v : {s.ball.x, s.ball.y, s.ball.z, s.pitch.x, s.pitch.y, s.player1.x, s.player1.y,
                    s.player1.heading, s.player2.x, s.player2.y, s.player2.heading,
                    s.defender1.x, s.defender1.chaseAngle, s.defender2.y, s.defender3.heading,
                    s.keeper.x, s.keeper.y, s.keeper.heading, s.keeper.ballAngle, s.passAngle,
                    s.shotAngleUpper, s.shotAngleLower})
        EXPECT_EQ(v, 0.0f);
    EXPECT_TRUE(s.bannerText.empty());
}

TEST(MainLoopTest, StartUpHidesTheCursorAndKeepsTheDisplayAwake)
{
    HeadlessGame game({});
    ASSERT_TRUE(game.start());
    EXPECT_TRUE(game.platform.displayAwake);
    EXPECT_EQ(game.platform.cursorCounter, -1);
    EXPECT_TRUE(game.platform.windowShown);
    EXPECT_EQ(game.state.glSetupStep, 3);

    game.turn();
    EXPECT_EQ(game.state.glSetupStep, 5);
    EXPECT_EQ(game.state.inputGate, 2);

    game.stop();
    EXPECT_FALSE(game.platform.displayAwake);
    EXPECT_TRUE(game.platform.windowDestroyed);
}

TEST(MainLoopTest, OneMessagePerTurnOldestFirst)
{
    // Three keys posted for turn 1 are handled on turns 1, 2 and 3. Enter
    // starts the match; P on turn 2 pauses it; the Enter on turn 3 comes while
    // pausing and is dropped.
    const auto run = runScript("1 enter\n1 p\n1 enter\n", 5);
    EXPECT_EQ(run.trace.integer(1, "matchPhase"), 2);
    EXPECT_EQ(run.trace.integer(1, "pauseState"), 0);
    EXPECT_EQ(run.trace.integer(2, "pauseState"), 1);
    EXPECT_EQ(run.trace.integer(2, "pauseFrames"), 1);
    EXPECT_EQ(run.trace.integer(3, "pauseState"), 1);
    EXPECT_EQ(run.trace.integer(3, "pauseFrames"), 2);
}

TEST(MainLoopTest, KeysOutsideTheMessageStepAreNotLatched)
{
    GameState state;
    HeadlessPlatform platform({});
    Message enter{MessageKind::keyDown, MessageTarget::mainWindow, 13};
    windowProcedure(state, platform, enter);  // gate still 2, as at start
    EXPECT_EQ(state.enterLatch, 0);

    state.inputGate = 1;
    windowProcedure(state, platform, enter);
    EXPECT_EQ(state.enterLatch, 1);
    EXPECT_EQ(state.inputGate, 2);

    // Only one gated key per message step.
    Message p{MessageKind::keyDown, MessageTarget::mainWindow, 80};
    windowProcedure(state, platform, p);
    EXPECT_EQ(state.pauseLatch, 0);
}

TEST(MainLoopTest, EveryFramePausesThirtyFourMilliseconds)
{
    HeadlessGame game({});
    ASSERT_TRUE(game.start());
    for (int i = 0; i < 10; ++i)
        game.turn();
    EXPECT_EQ(game.platform.clock, 10 * 34'000'000LL);
}

TEST(MainLoopTest, WithoutARenderingContextAFrameOnlyReactivatesAndPauses)
{
    GameState state;  // glSetupStep 0: no context
    HeadlessPlatform platform({});
    state.refocusRequest = 1;
    runFrame(state, platform);
    EXPECT_EQ(state.musicState, 0);
    EXPECT_TRUE(state.bannerText.empty());
    EXPECT_EQ(state.refocusRequest, 2);
    EXPECT_EQ(platform.reactivations, 1);
    EXPECT_EQ(platform.clock, 34'000'000LL);
}

TEST(ShutdownTest, EscapeEndsTheRunOnceWithoutAnotherFrame)
{
    const auto run = runScript("5 escape\n6 close\n7 escape\n", 100);
    EXPECT_EQ(run.trace.frames(), 4);
    EXPECT_EQ(run.game->turns(), 5);
    EXPECT_EQ(run.game->state.running, 0);
    EXPECT_EQ(run.game->state.shuttingDown, 1);
    EXPECT_EQ(run.game->state.closeState, 2);
    // The music was started on frame 1 and stopped by the shutdown alone.
    EXPECT_EQ(run.game->platform.musicStarts, 1);
    EXPECT_EQ(run.game->platform.musicStops, 1);
}

TEST(ShutdownTest, CloseRequestEndsTheRunLikeEscape)
{
    const auto run = runScript("3 close\n3 escape\n", 100);
    EXPECT_EQ(run.trace.frames(), 2);
    EXPECT_EQ(run.game->platform.musicStops, 1);
    EXPECT_FALSE(run.game->platform.displayAwake);
}
