// A pad plays the desktop game: SDL's virtual pad, plugged in after start-up,
// starts the match, runs the player with its stick, passes, opens and closes
// the MENU dialog, and is pulled out while the game goes on; the recording of
// the session replays headless to the same trace. A virtual pad lives only in
// the process that makes it, so this program runs the game loop itself, on the
// display xvfb-run gives it.

#include <gtest/gtest.h>

#include <SDL.h>

#include <fstream>
#include <iterator>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "app/main_loop.h"
#include "platform/output_file.h"
#include "platform/sdl/sdl_platform.h"
#include "replay/trace.h"
#include "state/game_state.h"
#include "support/run_script.h"

namespace {

struct Session {
    const std::string path = (freshTempFolder() / "pad.script").string();
    std::string problem;
    std::unique_ptr<OutputFile> record = OutputFile::open(path, 4096, problem);
    SdlPlatform platform{true};
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    std::string csv = std::string(traceHeader) + "\n";
    std::vector<float> player1x;  // after every frame

    Session() { platform.setRecording(record.get()); }

    // Plays turns until `done` holds, at most `limit` of them.
    bool playUntil(int limit, const std::function<bool(const GameState&)>& done)
    {
        for (int i = 0; i < limit && state->running == 1; ++i) {
            if (mainLoopTurn(*state, platform)) {
                char row[traceRowCapacity];
                csv.append(row, formatTraceRow(row, static_cast<std::int64_t>(player1x.size()) + 1, *state));
                player1x.push_back(state->player1.x);
            }
            if (done(*state))
                return true;
        }
        return false;
    }
    void play(int turns) { playUntil(turns, [](const GameState&) { return false; }); }
};

}  // namespace

TEST(DesktopPadTest, APadPlaysAndItsRecordingReplays)
{
    Session s;
    ASSERT_TRUE(s.platform.openDisplay("x11")) << s.platform.problem();
    ASSERT_TRUE(startUp(*s.state, s.platform)) << s.platform.problem();
    std::srand(1);
    s.play(3);

    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Virtual pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    // SDL reads no pad for a game whose windows lack the keyboard focus.
    ASSERT_TRUE(s.playUntil(60, [&](const GameState&) {
        return SDL_GameControllerFromInstanceID(id) != nullptr && SDL_GetKeyboardFocus() != nullptr;
    })) << "the pad was not picked up";

    // Holds a button until `done`, then lets it go.
    const auto press = [&](SDL_GameControllerButton button, const std::function<bool(const GameState&)>& done) {
        SDL_JoystickSetVirtualButton(pad, button, 1);
        const bool happened = s.playUntil(10, done);
        SDL_JoystickSetVirtualButton(pad, button, 0);
        s.play(2);
        return happened;
    };
    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_START, [](const GameState& g) { return g.matchPhase == 2; }));

    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    std::size_t from = s.player1x.size();
    s.play(40);
    int moves = 0;
    for (std::size_t i = from; i < s.player1x.size(); ++i)
        moves += s.player1x[i] < s.player1x[i - 1];
    EXPECT_GE(moves, 25) << "a held stick repeats like a held arrow key";
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
    from = s.player1x.size();
    s.play(8);
    for (std::size_t i = from + 2; i < s.player1x.size(); ++i)
        EXPECT_EQ(s.player1x[i], s.player1x[from + 1]) << "still moving " << i - from + 1 << " frames after release";

    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_A, [](const GameState& g) { return g.passState == 2; }));
    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, [](const GameState& g) { return g.menuVisible == 1; }));
    EXPECT_TRUE(press(SDL_CONTROLLER_BUTTON_A, [](const GameState& g) { return g.menuVisible == 0; }))
        << "South presses OK in the MENU dialog";

    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(index);
    s.play(10);
    EXPECT_EQ(SDL_GameControllerFromInstanceID(id), nullptr) << "the pad was not dropped";
    EXPECT_EQ(s.state->running, 1);

    s.platform.requestClose();
    s.play(2);
    ASSERT_EQ(s.state->running, 0);
    ASSERT_TRUE(s.record->close()) << s.record->problem();
    std::ifstream in(s.path);
    const std::string recording((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* event : {" enter\n", " left\n", " a\n", " m\n", " menu-ok\n"})
        EXPECT_NE(recording.find(event), std::string::npos) << event << " not recorded:\n" << recording;
    EXPECT_EQ(runScript(recording, s.platform.turns()).csv, s.csv);
}
