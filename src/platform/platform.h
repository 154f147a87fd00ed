#pragma once
// Everything the game asks of the machine it runs on. Each platform layer
// (headless, sdl, win32, web) implements this one interface; the game core
// talks to the machine through nothing else. Every call is made on the game's
// only thread, and each says when the game makes it.

#include <cstdint>

#include "platform/messages.h"

struct GameState;

class Platform {
public:
    virtual ~Platform() = default;

    // Called once at start-up, before the cursor is hidden: keep the system
    // and display awake while the game runs (true), let them sleep again from
    // the shutdown sequence on (false).
    virtual void keepDisplayAwake(bool awake) = 0;

    // Show or hide the mouse cursor with counter semantics: each true raises
    // the display counter, each false lowers it; the cursor shows while the
    // counter is at least 0. Called hidden at start-up, shown when the MENU
    // dialog opens, hidden again when it closes.
    virtual void showCursor(bool show) = 0;

    // Called once at start-up: create the main window and its rendering
    // context, make the context current and prepare the view (prepareView).
    // Returns false when no main window could be made; the game then ends at
    // once. On true the game counts the context as made (`glSetupStep` 3).
    virtual bool createMainWindow() = 0;

    // Called once, after createMainWindow succeeded: show the main window.
    virtual void showMainWindow() = 0;

    // Called once before the main loop: waits for the first message and
    // removes it without handing it to the game (it is normally the window
    // being shown; a key press that comes first is lost).
    virtual void takeFirstMessage() = 0;

    // Called once per turn of the main loop, in the message step (input gate
    // open): removes at most one waiting message, oldest first, and hands it
    // to `windowProcedure` or `menuDialogProcedure`. Never blocks.
    virtual void handleOneMessage(GameState& state) = 0;

    // True when frames are really drawn; false for a run without any
    // rendering context, where the frame still changes the game state.
    virtual bool drawsFrames() const = 0;

    // Called at the end of every drawn frame: present the back buffer.
    virtual void presentFrame() = 0;

    // Music: start "gamesound.wav" looping asynchronously; stop all sound.
    // Failures are silent: the game plays on without music.
    virtual void startMusic() = 0;
    virtual void stopMusic() = 0;

    // The modeless MENU dialog: set its two texts and show it; hide it again
    // (from its OK button or close box, and from the shutdown sequence).
    virtual void showMenuDialog(const char* description, const char* keyHelp) = 0;
    virtual void endMenuDialog() = 0;

    // Called on the first frame after the MENU dialog closed: bring the main
    // window to the foreground and give it the keyboard focus again.
    virtual void reactivateMainWindow() = 0;

    // Called once by the shutdown sequence, after the dialog was ended:
    // release the rendering context and destroy the main window.
    virtual void destroyMainWindow() = 0;

    // Monotonic clock in nanoseconds, and a sleep of whole milliseconds;
    // used only by the pause at the end of every frame.
    virtual std::int64_t clockNanoseconds() = 0;
    virtual void sleepMilliseconds(std::int64_t ms) = 0;
};
