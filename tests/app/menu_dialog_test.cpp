// The MENU dialog: shown by M with its two texts, the keys going to it while
// it is shown, closed by OK or its close box, and the game window taking the
// keyboard back on the next frame.

#include <gtest/gtest.h>

#include <string>

#include "app/input.h"
#include "support/run_script.h"

TEST(MenuDialogTest, ShowKeysIgnoredOkAndReactivation)
{
    // M on 3 shows the dialog; Enter, P and Escape go to the dialog and do
    // nothing; OK on 8 closes it; the frame after it the window is brought back.
    std::vector<std::int32_t> refocus;
    ScriptRun run = runScript("3 m\n4 enter\n5 p\n6 escape\n7 a\n8 menu-ok\n12 enter\n", 14,
                              [&](std::int64_t, const GameState& s) { refocus.push_back(s.refocusRequest); });
    const Trace& t = run.trace;
    EXPECT_EQ(t.integer(2, "menuVisible"), 0);
    for (int f = 3; f <= 7; ++f) {
        EXPECT_EQ(t.integer(f, "menuVisible"), 1) << f;
        EXPECT_EQ(t.integer(f, "matchPhase"), 1) << f;
        EXPECT_EQ(t.integer(f, "pauseState"), 0) << f;
    }
    EXPECT_EQ(t.frames(), 14) << "Escape must not reach the game while the dialog is shown";

    // The close runs in the message step of turn 8; the reactivation at the
    // end of that same frame, which is the first frame after the close.
    EXPECT_EQ(t.integer(8, "menuVisible"), 0);
    EXPECT_EQ(refocus[6], 0);
    EXPECT_EQ(refocus[7], 2);
    EXPECT_EQ(run.game->platform.reactivations, 1);
    EXPECT_EQ(run.game->platform.cursorCounter, -1) << "cursor hidden again after the dialog";

    // Keys reach the game again.
    EXPECT_EQ(t.integer(12, "matchPhase"), 2);
}

TEST(MenuDialogTest, TextsAndCursor)
{
    HeadlessGame game(std::span<const ScriptEvent>{});
    ASSERT_TRUE(game.start());
    EXPECT_STREQ(game.platform.menuDescription, "1");
    EXPECT_STREQ(game.platform.menuKeyHelp, "2");

    game.state.inputGate = 1;
    windowProcedure(game.state, game.platform, {MessageKind::keyDown, MessageTarget::mainWindow, vk::m});
    EXPECT_EQ(game.state.menuVisible, 1);
    EXPECT_EQ(game.state.inputGate, 2);
    EXPECT_TRUE(game.platform.menuShown);
    EXPECT_EQ(game.platform.cursorCounter, 0) << "shown for the dialog";
    EXPECT_EQ(std::string(game.platform.menuDescription).rfind("BRIGHTWICKET SOCCER - The game supports on 16:9", 0), 0u);
    EXPECT_EQ(std::string(game.platform.menuKeyHelp).rfind("Keyboard controls of the game - ", 0), 0u);
    EXPECT_NE(std::string(game.platform.menuKeyHelp).find("Use the Escape key to quit the game."), std::string::npos);

    // M again (through the main window, as an accelerator would) only closes the gate.
    game.state.inputGate = 1;
    windowProcedure(game.state, game.platform, {MessageKind::keyDown, MessageTarget::mainWindow, vk::m});
    EXPECT_EQ(game.state.inputGate, 2);
    EXPECT_EQ(game.platform.cursorCounter, 0) << "not shown twice";
}

TEST(MenuDialogTest, CloseBoxActsLikeOkAndTheDialogCanOpenAgain)
{
    ScriptRun run = runScript("2 m\n4 menu-close\n6 m\n8 menu-ok\n", 10);
    const Trace& t = run.trace;
    EXPECT_EQ(t.integer(3, "menuVisible"), 1);
    EXPECT_EQ(t.integer(4, "menuVisible"), 0);
    EXPECT_EQ(t.integer(6, "menuVisible"), 1);
    EXPECT_EQ(t.integer(8, "menuVisible"), 0);
    EXPECT_EQ(run.game->platform.reactivations, 2);
}

TEST(MenuDialogTest, ClicksOnAHiddenDialogDoNothingButUseTheirTurn)
{
    // menu-ok on turn 1 is used up; the Enter behind it acts on turn 2.
    ScriptRun run = runScript("1 menu-ok\n1 enter\n", 3);
    EXPECT_EQ(run.trace.integer(1, "matchPhase"), 1);
    EXPECT_EQ(run.trace.integer(2, "matchPhase"), 2);
    EXPECT_EQ(run.game->platform.reactivations, 0);
}

TEST(MenuDialogTest, MatchRunsOnBehindTheDialog)
{
    // Paused before the dialog opens; the pause keeps counting behind it.
    ScriptRun run = runScript("1 enter\n2 p\n3 m\n", 40);
    EXPECT_EQ(run.trace.integer(40, "menuVisible"), 1);
    EXPECT_EQ(run.trace.integer(40, "pauseState"), 2);
    EXPECT_EQ(run.trace.integer(40, "musicState"), 1);
}

TEST(MenuDialogTest, CloseRequestStillShutsDownWhileTheDialogIsShown)
{
    ScriptRun run = runScript("2 m\n5 close\n", 100);
    EXPECT_EQ(run.trace.frames(), 4);
    EXPECT_FALSE(run.game->platform.menuShown) << "the shutdown ends the dialog";
}
