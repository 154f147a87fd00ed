// Watching a recording in the desktop window, in this process: a recording
// that lost its final Escape stops at its end line with the headless trace;
// Space holds the music's mixer channel with the playback; and a held frame
// drawn again leaves the game state exactly as it was.

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "app/main_loop.h"
#include "app/run_frame.h"
#include "layers/sdl/sdl_platform.h"
#include "replay/trace.h"
#include "state/game_state.h"
#include "support/run_script.h"

namespace {

void pressSpace(bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = SDLK_SPACE;
    event.key.keysym.scancode = SDL_SCANCODE_SPACE;
    event.key.windowID = SDL_GetWindowID(SDL_GL_GetCurrentWindow());
    SDL_PushEvent(&event);
}

std::vector<unsigned char> bytesOf(const GameState& state)
{
    std::vector<unsigned char> bytes(sizeof state);
    std::memcpy(bytes.data(), &state, sizeof state);
    return bytes;
}

std::string rowOf(const GameState& state)
{
    char row[traceRowCapacity];
    return std::string(row, formatTraceRow(row, 1, state));
}

}  // namespace

TEST(DesktopWatchTest, ARecordingWithoutItsEscapeHoldsAtItsEndLine)
{
    // The music plays from the working folder, on SDL's silent device.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string text = "3 enter\n20 left\n21 left\n22 a\n70 left\n# ended in turn 60: replay with --frames 60\n";
    const Script recording = parseScript(text, "killed.script");
    ASSERT_EQ(recording.error, "");
    SdlPlatform platform{true};
    platform.watch(recording.events, recording.endTurn);
    const auto state = std::make_unique<GameState>();
    ASSERT_TRUE(platform.openDisplay("x11")) << platform.problem();
    ASSERT_TRUE(startUp(*state, platform)) << platform.problem();

    std::string csv = std::string(traceHeader) + "\n";
    std::int64_t frames = 0;
    // The desktop's own loop, for `limit` rounds.
    const auto watch = [&](int limit) {
        for (int i = 0; i < limit && state->running == 1; ++i) {
            if (platform.holdsPlayback()) {
                platform.waitForControls(*state);
            } else if (mainLoopTurn(*state, platform)) {
                char row[traceRowCapacity];
                csv.append(row, formatTraceRow(row, ++frames, *state));
            }
        }
    };
    watch(30);
    ASSERT_EQ(Mix_Playing(0), 1) << "no music to pause";
    pressSpace(true);
    pressSpace(false);
    watch(5);
    EXPECT_TRUE(platform.holdsPlayback());
    EXPECT_EQ(Mix_Paused(0), 1) << "the music played on through the pause";
    const std::int64_t pausedAt = frames;
    watch(20);
    EXPECT_EQ(frames, pausedAt);
    pressSpace(true);
    pressSpace(false);
    watch(200);
    EXPECT_EQ(Mix_Paused(0), 0) << "the music stayed paused";

    EXPECT_EQ(frames, 60);
    EXPECT_TRUE(platform.holdsPlayback()) << "the watch ran past the end line";
    EXPECT_EQ(state->running, 1);
    EXPECT_EQ(csv, runScript(text, 60).csv);

    // The match is on, the keeper moving: a redraw draws and changes nothing.
    ASSERT_EQ(state->matchPhase, 2);
    const std::vector<unsigned char> before = bytesOf(*state);
    const std::string row = rowOf(*state);
    redrawFrame(*state, platform);
    EXPECT_EQ(rowOf(*state), row);
    EXPECT_TRUE(bytesOf(*state) == before) << "a redraw changed the game state";

    platform.requestClose();
    watch(5);
    EXPECT_EQ(state->running, 0);
}
