// Which text the banner shows in each situation, and the end of a match.

#include <gtest/gtest.h>

#include "state/game_state.h"
#include "match/banner_text.h"
#include "match/match_flow.h"

namespace {
GameState inPlay(int goals, int attempts)
{
    GameState s;
    s.matchPhase = 2;
    s.resetRequest = 3;
    s.goals = goals;
    s.attempts = attempts;
    return s;
}
}  // namespace

TEST(BannerTextTest, ScoreTextWithOneAndTwoDigitCounts)
{
    GameState s = inPlay(2, 7);
    bannerTextStep(s);
    EXPECT_EQ(s.bannerText, "         goals  2   attempts  7");
    s.attempts = 13;
    bannerTextStep(s);
    EXPECT_EQ(s.bannerText, "         goals  2   attempts  13");
    EXPECT_EQ(s.matchPhase, 2);
    EXPECT_EQ(s.resetRequest, 3) << "play frames leave the reset request alone";
}

TEST(BannerTextTest, FourthGoalEndsTheMatchInTheSameFrame)
{
    GameState s = inPlay(4, 3);
    bannerTextStep(s);
    EXPECT_EQ(s.bannerText, "         victory... goals  4");
    EXPECT_EQ(s.matchPhase, 1);
    EXPECT_EQ(s.resetRequest, 1);

    // The result stays on the following title frames until Enter.
    bannerTextStep(s);
    EXPECT_EQ(s.bannerText, "         victory... goals  4");
}

TEST(BannerTextTest, TwentyFifthAttemptEndsTheMatchAndDefeatWinsATie)
{
    GameState s = inPlay(1, 25);
    bannerTextStep(s);
    EXPECT_EQ(s.bannerText, "         defeat... attempts  25");
    EXPECT_EQ(s.matchPhase, 1);

    GameState both = inPlay(4, 25);
    bannerTextStep(both);
    EXPECT_EQ(both.bannerText, "         defeat... attempts  25");
}

TEST(BannerTextTest, PauseTextIsSetWhilePausingAndKeptWhilePaused)
{
    GameState s = inPlay(4, 30);  // counters past the limits: no test while paused
    s.pauseState = 1;
    bannerTextStep(s);
    EXPECT_EQ(s.bannerText, "         game paused");
    EXPECT_EQ(s.matchPhase, 2);

    s.pauseState = 2;
    s.bannerText = "left over";
    bannerTextStep(s);
    EXPECT_EQ(s.bannerText, "left over") << "nothing assigns the text once paused";
    EXPECT_EQ(s.matchPhase, 2);
}

TEST(BannerTextTest, TitleTextRequestsTheKickOff)
{
    GameState s;
    s.resetRequest = 3;
    bannerTextStep(s);
    EXPECT_EQ(s.bannerText, "         brightwicket soccer         press m key for menu");
    EXPECT_EQ(s.resetRequest, 1);
}
