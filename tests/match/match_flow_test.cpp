// Match phases through the real frame loop: start, pause with its settle,
// resume, restart to the title, and the keys each phase ignores.

#include <gtest/gtest.h>

#include "match/match_flow.h"
#include "support/run_script.h"

TEST(MatchFlowTest, EnterStartsAMatchWithFreshCounters)
{
    const auto run = runScript("3 p\n4 r\n5 enter\n", 6);
    const Trace& t = run.trace;
    // P and R do nothing on the title.
    for (int f = 1; f <= 4; ++f) {
        EXPECT_EQ(t.integer(f, "matchPhase"), 1);
        EXPECT_EQ(t.integer(f, "pauseState"), 0);
    }
    EXPECT_EQ(t.integer(5, "matchPhase"), 2);
    EXPECT_EQ(t.integer(5, "goals"), 0);
    EXPECT_EQ(t.integer(5, "attempts"), 0);
    EXPECT_EQ(t.banner(5), "         goals  0   attempts  0");
}

TEST(MatchFlowTest, PauseSettlesForThirtyFramesThenResumes)
{
    // Pause on frame 10. P and R during the settle are ignored; P on frame 40
    // (the 30th frame after the pausing frame) resumes.
    const auto run = runScript("1 enter\n10 p\n20 p\n38 r\n39 p\n40 p\n", 42);
    const Trace& t = run.trace;
    EXPECT_EQ(t.integer(10, "pauseState"), 1);
    EXPECT_EQ(t.integer(10, "pauseFrames"), 1);
    EXPECT_EQ(t.banner(10), "         game paused") << "pause text in the pausing frame";
    EXPECT_EQ(t.integer(20, "pauseState"), 1) << "P while pausing is ignored";
    EXPECT_EQ(t.integer(38, "pauseState"), 1) << "R while pausing is ignored";
    EXPECT_EQ(t.integer(38, "matchPhase"), 2);
    EXPECT_EQ(t.integer(38, "pauseFrames"), 29);
    EXPECT_EQ(t.integer(39, "pauseState"), 2) << "settled after 30 frames";
    EXPECT_EQ(t.integer(39, "pauseFrames"), 30);
    EXPECT_EQ(t.banner(39), "         game paused");
    EXPECT_EQ(t.integer(40, "pauseState"), 0) << "P resumes once settled";
    EXPECT_EQ(t.integer(40, "pauseFrames"), 30) << "kept after resuming";
    EXPECT_EQ(t.banner(40), "         goals  0   attempts  0");
}

TEST(MatchFlowTest, RestartWhilePausedReturnsToTheTitle)
{
    const auto run = runScript("1 enter\n2 p\n31 r\n32 r\n40 enter\n", 41);
    const Trace& t = run.trace;
    EXPECT_EQ(t.integer(31, "pauseState"), 2);
    EXPECT_EQ(t.integer(32, "matchPhase"), 1);
    EXPECT_EQ(t.integer(32, "pauseState"), 0);
    EXPECT_EQ(t.integer(32, "pauseFrames"), 0);
    EXPECT_EQ(t.integer(32, "resetRequest"), 1);
    EXPECT_EQ(t.banner(32), "         brightwicket soccer         press m key for menu");
    EXPECT_EQ(t.integer(40, "matchPhase"), 2);
}

TEST(MatchFlowTest, EnterWhilePausedIsDropped)
{
    const auto run = runScript("1 enter\n2 p\n10 enter\n35 enter\n", 36);
    EXPECT_EQ(run.trace.integer(10, "pauseState"), 1);
    EXPECT_EQ(run.trace.integer(35, "pauseState"), 2);
    EXPECT_EQ(run.trace.integer(36, "pauseState"), 2);
}

TEST(MatchFlowTest, TitleFramesPlaceTheAnchorAndPlayer1)
{
    const auto run = runScript("", 2);
    EXPECT_EQ(run.trace.real(1, "pitch.x"), 0.0f);
    EXPECT_EQ(run.trace.real(1, "pitch.y"), 0.0f);
    EXPECT_EQ(run.trace.real(1, "player1.x"), 0.0f);
    EXPECT_EQ(run.trace.real(1, "player1.y"), -7.0f);
    EXPECT_EQ(run.trace.text(1, "player1.heading"), "1.57079518");
}

TEST(MatchFlowTest, PendingRequestsAreDroppedWhilePausedUnlessTheBallFlies)
{
    GameState s;
    s.matchPhase = 2;
    s.pauseState = 2;
    s.passState = 2;
    s.shotState = 2;
    s.upLatch = s.leftLatch = s.enterLatch = 1;
    matchStep(s);
    EXPECT_EQ(s.passState, 1);
    EXPECT_EQ(s.shotState, 3);
    EXPECT_EQ(s.upLatch + s.leftLatch + s.enterLatch, 0);

    s.ballInFlight = 1;
    s.passState = 2;
    s.shotState = -3;
    matchStep(s);
    EXPECT_EQ(s.passState, 2) << "a pass under way survives the pause";
    EXPECT_EQ(s.shotState, -3);
}

TEST(MatchFlowTest, EndOfFrameClearsLatchesAndDropsRequestsBeforeTheFirstCarry)
{
    GameState s;
    s.upLatch = s.downLatch = s.leftLatch = s.rightLatch = 1;
    s.enterLatch = s.pauseLatch = s.restartLatch = 1;
    s.passState = 2;
    s.shotState = 2;
    endOfFrameClearing(s);
    EXPECT_EQ(s.upLatch + s.downLatch + s.leftLatch + s.rightLatch + s.enterLatch +
                  s.pauseLatch + s.restartLatch, 0);
    EXPECT_EQ(s.passState, 1);
    EXPECT_EQ(s.shotState, 3);

    s.ballHolder = 2;
    s.passState = 2;
    s.shotState = 2;
    endOfFrameClearing(s);
    EXPECT_EQ(s.passState, 2);
    EXPECT_EQ(s.shotState, 2);
}
