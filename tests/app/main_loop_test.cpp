// What the game asks of the machine, which the trace cannot show: the window,
// the cursor, the display, the music calls, the MENU dialog and its texts,
// the frame pause, the input gate and the shutdown. What the game does with
// the keys is in the scenario digests.

#include <gtest/gtest.h>

#include <string>

#include "app/input.h"
#include "app/run_frame.h"
#include "state/game_state.h"
#include "support/run_script.h"

TEST(MainLoopTest, StartUpFramesAndShutdown)
{
    HeadlessGame game({});
    ASSERT_TRUE(game.start());
    EXPECT_TRUE(game.platform.displayAwake);
    EXPECT_EQ(game.platform.cursorCounter, -1);
    EXPECT_TRUE(game.platform.windowShown);
    for (int i = 0; i < 10; ++i)
        game.turn();
    EXPECT_EQ(game.platform.clock, 10 * 34'000'000LL) << "every frame pauses 34 ms";
    EXPECT_EQ(game.platform.framesPresented, 0) << "nothing drawn without a view";
    game.stop();
    EXPECT_FALSE(game.platform.displayAwake);
    EXPECT_TRUE(game.platform.windowDestroyed);

    // Without a rendering context a frame only reactivates and pauses.
    GameState state;
    HeadlessPlatform platform({});
    state.refocusRequest = 1;
    runFrame(state, platform);
    EXPECT_EQ(state.musicState, 0);
    EXPECT_TRUE(state.bannerText.empty());
    EXPECT_EQ(platform.reactivations, 1);
    EXPECT_EQ(platform.clock, 34'000'000LL);
}

TEST(MainLoopTest, KeysOutsideTheMessageStepAreNotLatched)
{
    GameState state;
    HeadlessPlatform platform({});
    const Message enter{MessageKind::keyDown, MessageTarget::mainWindow, vk::enter};
    windowProcedure(state, platform, enter);  // gate still 2, as at start
    EXPECT_EQ(state.enterLatch, 0);
    state.inputGate = 1;
    windowProcedure(state, platform, enter);
    EXPECT_EQ(state.enterLatch, 1);
    windowProcedure(state, platform, {MessageKind::keyDown, MessageTarget::mainWindow, vk::p});
    EXPECT_EQ(state.pauseLatch, 0) << "one gated key per message step";
}

TEST(MainLoopTest, EscapeOrCloseEndsTheRunOnceAndStopsTheMusic)
{
    struct Case {
        const char* script;
        std::int64_t frames;
        int musicStops;
    } cases[] = {
        {"5 escape\n6 close\n7 escape\n", 4, 1},
        {"3 close\n3 escape\n", 2, 1},
        {"2 m\n5 close\n", 4, 1},         // the dialog does not hold the close back
        {"70 z\n131 z\n132 z\n300 escape\n", 299, 2},  // one stop by Z, one by the shutdown
    };
    for (const Case& c : cases) {
        const ScriptRun run = runScript(c.script, 1000);
        const HeadlessPlatform& p = run.game->platform;
        EXPECT_EQ(run.game->frames(), c.frames) << c.script;
        EXPECT_EQ(run.game->state.running, 0) << c.script;
        EXPECT_EQ(p.musicStops, c.musicStops) << c.script;
        EXPECT_EQ(p.musicStarts, c.musicStops) << c.script;
        EXPECT_FALSE(p.displayAwake || p.menuShown || p.musicPlaying) << c.script;
    }
}

TEST(MainLoopTest, MenuDialogTextsCursorAndReactivation)
{
    HeadlessGame game({});
    ASSERT_TRUE(game.start());
    EXPECT_STREQ(game.platform.menuDescription, "1") << "template texts until first shown";
    game.state.inputGate = 1;
    windowProcedure(game.state, game.platform, {MessageKind::keyDown, MessageTarget::mainWindow, vk::m});
    EXPECT_TRUE(game.platform.menuShown);
    EXPECT_EQ(game.platform.cursorCounter, 0) << "shown for the dialog";
    EXPECT_EQ(std::string(game.platform.menuDescription).rfind("BRIGHTWICKET SOCCER - The game supports on 16:9", 0), 0u);
    EXPECT_EQ(std::string(game.platform.menuKeyHelp).rfind("Keyboard controls of the game - ", 0), 0u);
    game.state.inputGate = 1;
    windowProcedure(game.state, game.platform, {MessageKind::keyDown, MessageTarget::mainWindow, vk::m});
    EXPECT_EQ(game.platform.cursorCounter, 0) << "not shown twice";

    // Closed by OK, by the close box, and a click on the hidden dialog does
    // nothing: one reactivation per close, in the frame of the close.
    std::vector<std::int32_t> refocus;
    const ScriptRun run = runScript("2 m\n4 menu-close\n6 m\n8 menu-ok\n9 menu-ok\n", 10,
                                    [&](std::int64_t, const GameState& s) { refocus.push_back(s.refocusRequest); });
    EXPECT_EQ(run.game->platform.reactivations, 2);
    EXPECT_EQ(refocus[2], 0);
    EXPECT_EQ(refocus[3], 2);
    EXPECT_EQ(run.game->platform.cursorCounter, -1) << "hidden again after the dialog";
}
