#pragma once
// The Linux desktop layer: an SDL window with an OpenGL context and the
// event pump that turns SDL's events into the game's messages (keys, pads,
// the MENU dialog's buttons). The music (sdl_music.h), the recording and
// its watching (playback.h) and word of a broken display
// (display_errors.h) live beside it.

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "layers/common/message_queue.h"
#include "layers/posix/output_file.h"
#include "layers/sdl/display_errors.h"
#include "layers/sdl/gamepads.h"
#include "layers/sdl/menu_dialog.h"
#include "layers/sdl/playback.h"
#include "layers/sdl/sdl_music.h"
#include "platform/platform.h"
#include "replay/script.h"

class SdlPlatform : public Platform {
public:
    explicit SdlPlatform(bool windowed);
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    // Connects to the display through the named SDL video driver ("" for
    // SDL's own choice); must succeed before the game starts. On failure,
    // and after a failed createMainWindow, problem() says what is missing in
    // one line.
    bool openDisplay(const char* videoDriver);
    const std::string& problem() const { return failure; }

    // A stop signal arrived: queue one close request to the main window.
    // Not for use inside a signal handler.
    void requestClose();

    // From now on every handled message is written to `record` as a line of
    // an input script (null: none); the caller owns and closes it.
    void setRecording(OutputFile* record) { playback.setRecording(record); }

    // The connection to the X display broke (the server went away): `action`
    // runs, the loss is told in one line and the program ends with status 1.
    // Any other fault of the display (another client destroyed a window of
    // the game) is told in one line and shuts the game down normally;
    // displayFailed() then says so.
    void setDisplayLostAction(std::function<void()> action) { ::setDisplayLostAction(std::move(action)); }
    bool displayFailed() const { return ::displayFailed(); }

    // Watching: the game's messages come from `recording` (which must
    // outlive the platform), one per turn as a headless run hands them over
    // and none after `endTurn` (the recording's end line, 0: none),
    // and the keyboard only steers the playback: Space pauses and resumes it,
    // the right arrow held skims (no pause after the frames), Escape or a
    // close request ends it. Called before the game starts.
    void watch(std::span<const ScriptEvent> recording, std::int64_t endTurn = 0)
    {
        playback.watch(recording, endTurn);
    }
    // While this is true the next turn must not run: the playback is paused,
    // or the recording is over (its end line's turn has run, or its next
    // message would end the game).
    bool holdsPlayback() const;
    // Waits a little for the keyboard while no turn runs; a window uncovered
    // or resized meanwhile shows `state` drawn again, unchanged.
    void waitForControls(GameState& state);
    // The music is held (a paused watch).
    bool musicPaused() const { return music.paused(); }

    // Turns of the main loop so far (each has one message step).
    std::int64_t turns() const { return turn; }

    void keepDisplayAwake(bool awake) override;
    void showCursor(bool show) override;
    bool createMainWindow() override;
    void showMainWindow() override;
    void takeFirstMessage() override;
    void handleOneMessage(GameState& state) override;
    bool drawsFrames() const override { return true; }
    void presentFrame() override;
    void startMusic() override;
    void stopMusic() override;
    void showMenuDialog(const char* description, const char* keyHelp) override;
    void endMenuDialog() override;
    void reactivateMainWindow() override;
    void destroyMainWindow() override;
    std::int64_t clockNanoseconds() override;
    void sleepMilliseconds(std::int64_t ms) override;

private:
    // Moves everything SDL has into the ring; what means nothing to the game
    // is dealt with here (dialog drawing, button presses) or dropped.
    void pumpEvents();
    void steerPlayback(const SDL_KeyboardEvent& key);
    bool nextWatchedMessage(Message& message);
    void queue(const Message& message, bool repeated = false);
    void queuePadPress(const std::optional<PadPress>& press);

    bool windowed;
    std::string failure;
    bool videoOpen = false;
    SDL_Window* window = nullptr;
    std::uint32_t windowId = 0;
    SDL_GLContext context = nullptr;
    bool windowMapped = false;
    bool viewResized = false;  // the window changed size since the last frame
    bool redrawWanted = false;  // shown, uncovered or resized since the last frame
    MenuDialog menu;
    int cursorCounter = 0;
    SdlMusic music;
    bool closeQueued = false;
    std::int64_t turn = 0;
    MessageQueue messages;
    Gamepads pads;
    Playback playback;
};
