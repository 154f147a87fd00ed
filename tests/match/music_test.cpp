// The music state machine through the frame loop: started on frame 1, Z
// accepted only after the 61-frame hold, switched on the frame after Z.

#include <gtest/gtest.h>

#include "support/run_script.h"

TEST(MusicTest, StartsOnTheFirstFrameAndAcceptsZFromFrame62)
{
    // Z before frame 62 (still in the hold) is ignored.
    const auto run = runScript("30 z\n61 z\n", 63);
    const Trace& t = run.trace;
    EXPECT_EQ(t.integer(1, "musicState"), 1);
    EXPECT_EQ(t.integer(1, "musicFrames"), 1);
    EXPECT_EQ(t.integer(61, "musicState"), 1);
    EXPECT_EQ(t.integer(61, "musicFrames"), 61);
    EXPECT_EQ(t.integer(62, "musicState"), 2);
    EXPECT_EQ(t.integer(62, "musicFrames"), 1);
    EXPECT_EQ(run.game->platform.musicStarts, 1);
    EXPECT_EQ(run.game->platform.musicStops, 1) << "only the final shutdown stops it";
}

TEST(MusicTest, ZSwitchesOffAndOnWithAHoldAfterEachSwitch)
{
    // On from frame 62; Z before frame 70 stops it in frame 70 (state 4).
    // Z during the next hold is ignored; after it, Z turns the music on again
    // and the next frame starts it.
    const auto run = runScript("70 z\n100 z\n131 z\n132 z\n", 134);
    const Trace& t = run.trace;
    EXPECT_EQ(t.integer(69, "musicState"), 2);
    EXPECT_EQ(t.integer(70, "musicState"), 4);
    EXPECT_EQ(t.integer(70, "musicFrames"), 1);
    EXPECT_EQ(t.integer(100, "musicState"), 4);
    EXPECT_EQ(t.integer(131, "musicState"), 5) << "hold over on frame 70 + 61";
    EXPECT_EQ(t.integer(132, "musicState"), 1) << "Z in state 5 restarts at once";
    EXPECT_EQ(t.integer(132, "musicFrames"), 1);
    EXPECT_EQ(run.game->platform.musicStarts, 2);
    // One stop from Z, one from the shutdown at the end of the run.
    EXPECT_EQ(run.game->platform.musicStops, 2);
}

TEST(MusicTest, ZTakesTheFramesKeyEvenWhenIgnored)
{
    // Z and Enter queued together: Z uses turn 1, Enter acts on turn 2.
    const auto run = runScript("1 z\n1 enter\n", 2);
    EXPECT_EQ(run.trace.integer(1, "matchPhase"), 1);
    EXPECT_EQ(run.trace.integer(2, "matchPhase"), 2);
}

TEST(MusicTest, MusicIgnoresThePause)
{
    const auto run = runScript("1 enter\n2 p\n", 70);
    EXPECT_EQ(run.trace.integer(62, "musicState"), 2);
    EXPECT_EQ(run.trace.integer(62, "pauseState"), 2);
}
