// A pad plays the desktop game: SDL's virtual pad, plugged in after start-up
// beside eight others, starts the match, runs the player with its stick,
// passes, opens and closes the MENU dialog, and is pulled out while the game
// goes on; the recording of the session replays headless to the same trace. A
// button held on after it pressed the dialog's OK sends nothing into the match
// it uncovers. A virtual pad lives only in the process that makes it, so this
// program runs the game loop itself.

#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/main_loop.h"
#include "layers/posix/output_file.h"
#include "layers/sdl/sdl_platform.h"
#include "replay/trace.h"
#include "state/game_state.h"
#include "support/run_script.h"

TEST(DesktopPadTest, APadPlaysAndItsRecordingReplays)
{
    const std::filesystem::path dir = freshTempFolder();
    std::string problem;
    const std::unique_ptr<OutputFile> record = OutputFile::open((dir / "pad.script").string(), 4096, problem);
    SdlPlatform platform{true};
    platform.setRecording(record.get());
    const auto state = std::make_unique<GameState>();
    std::string csv = std::string(traceHeader) + "\n";
    std::vector<float> player1x;  // after every frame
    // Plays `limit` turns, or fewer once `done` holds.
    const auto play = [&](int limit, const std::function<bool(const GameState&)>& done = nullptr) {
        for (int i = 0; i < limit && state->running == 1; ++i) {
            if (mainLoopTurn(*state, platform)) {
                char row[traceRowCapacity];
                csv.append(row, formatTraceRow(row, static_cast<std::int64_t>(player1x.size()) + 1, *state));
                player1x.push_back(state->player1.x);
            }
            if (done && done(*state))
                return true;
        }
        return false;
    };
    ASSERT_TRUE(platform.openDisplay("x11")) << platform.problem();
    ASSERT_TRUE(startUp(*state, platform)) << platform.problem();
    play(3);

    // The pad that plays is the ninth: every pad SDL offers counts.
    for (int other = 0; other < 8; ++other)
        ASSERT_GE(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                            SDL_CONTROLLER_BUTTON_MAX, 0), 0) << SDL_GetError();
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    // SDL reads no pad for a game whose windows lack the keyboard focus.
    ASSERT_TRUE(play(60, [&](const GameState&) {
        return SDL_GameControllerFromInstanceID(id) != nullptr && SDL_GetKeyboardFocus() != nullptr;
    })) << "the pad was not picked up";

    // Holds a button until `done`, then lets it go.
    const auto press = [&](SDL_GameControllerButton button, const std::function<bool(const GameState&)>& done) {
        SDL_JoystickSetVirtualButton(pad, button, 1);
        const bool happened = play(10, done);
        SDL_JoystickSetVirtualButton(pad, button, 0);
        play(2);
        return happened;
    };
    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_START, [](const GameState& g) { return g.matchPhase == 2; }));

    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    std::size_t from = player1x.size();
    play(40);
    int moves = 0;
    for (std::size_t i = from; i < player1x.size(); ++i)
        moves += player1x[i] < player1x[i - 1];
    EXPECT_GE(moves, 25) << "a held stick repeats like a held arrow key";
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
    from = player1x.size();
    play(8);
    for (std::size_t i = from + 2; i < player1x.size(); ++i)
        EXPECT_EQ(player1x[i], player1x[from + 1]) << "still moving " << i - from + 1 << " frames after release";

    const auto menuShown = [](const GameState& g) { return g.menuVisible == 1; };
    const auto menuGone = [](const GameState& g) { return g.menuVisible == 0; };
    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_A, [](const GameState& g) { return g.passState == 2; }));
    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, menuShown));
    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_A, menuGone))
        << "South presses OK in the MENU dialog";

    // Start, then South, held on OK for 600 ms as a player would: the match
    // stays where it was, and the recording holds the menu-ok and nothing
    // after it (no Enter to restart the match, no A to pass).
    const auto recordedAfterOk = [&] {
        const std::string text = readFile(dir / "pad.script");
        const std::size_t ok = text.rfind(" menu-ok\n");
        return ok == std::string::npos ? std::string("no menu-ok") : text.substr(text.find('\n', ok) + 1);
    };
    for (const SDL_GameControllerButton button : {SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_A}) {
        ASSERT_TRUE(press(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, menuShown));
        const GameState before = *state;
        SDL_JoystickSetVirtualButton(pad, button, 1);
        EXPECT_TRUE(play(10, menuGone)) << "OK was not pressed";
        const Uint64 until = SDL_GetTicks64() + 600;
        play(1000, [&](const GameState&) { return SDL_GetTicks64() >= until; });
        SDL_JoystickSetVirtualButton(pad, button, 0);
        play(2);
        EXPECT_EQ(state->matchPhase, 2);
        EXPECT_EQ(state->attempts, before.attempts);
        EXPECT_EQ(state->player1.x, before.player1.x) << "the match went back to its kick-off";
        EXPECT_EQ(state->player1.y, before.player1.y);
        EXPECT_EQ(recordedAfterOk(), "") << "held on OK, the button went on pressing";
    }

    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(index);
    play(10);
    EXPECT_EQ(SDL_GameControllerFromInstanceID(id), nullptr) << "the pad was not dropped";
    EXPECT_EQ(state->running, 1);

    platform.requestClose();
    play(2);
    ASSERT_EQ(state->running, 0);
    ASSERT_TRUE(record->close()) << record->problem();
    // The trace holds the match phase, the player, the pass and the dialog:
    // every press the pad made must be in the recording for the replay to match.
    const std::string recording = readFile(dir / "pad.script");
    EXPECT_EQ(runScript(recording, platform.turns()).csv, csv) << recording;
    std::filesystem::remove_all(dir);
}
