// The banner texts at the edges the scenarios do not reach: both limits met
// in one frame, and a text left alone once the pause has settled.

#include <gtest/gtest.h>

#include "match/banner_text.h"
#include "state/game_state.h"

TEST(BannerTextTest, ResultsAndThePause)
{
    struct Case {
        int goals, attempts, pauseState;
        const char* text;  // after the step, from "left over"
        int matchPhase;
    } cases[] = {
        {4, 25, 0, "         defeat... attempts  25", 1},  // defeat wins a tie
        {4, 30, 1, "         game paused", 2},             // no end of match while paused
        {4, 30, 2, "left over", 2},
    };
    for (const Case& c : cases) {
        GameState s;
        s.matchPhase = 2;
        s.goals = c.goals;
        s.attempts = c.attempts;
        s.pauseState = c.pauseState;
        s.bannerText = "left over";
        bannerTextStep(s);
        EXPECT_EQ(s.bannerText, c.text);
        EXPECT_EQ(s.matchPhase, c.matchPhase) << c.text;
    }
}
