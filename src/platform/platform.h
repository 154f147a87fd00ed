#pragma once
// Everything the game asks of the machine it runs on. Each platform layer
// (headless, sdl, win32) implements this one interface; the game core talks to
// the machine through nothing else. Every call is made on the game's only
// thread.

#include <cstdint>

struct GameState;

// A message as the game's two procedures see it. The layer decides where a
// message goes: while the MENU dialog is the active window, key presses are
// addressed to it instead of the main window.
enum class MessageKind : std::uint8_t {
    keyDown,    // a key went down; `code` is its virtual-key code 0..255
    close,      // close request to the main window (close box, Alt+F4)
    menuOk,     // the OK button of the MENU dialog was pressed
    menuClose,  // the close command of the MENU dialog (its close box)
    other,      // anything else; handed to the default handling, no effect
};

enum class MessageTarget : std::uint8_t { mainWindow, menuDialog };

struct Message {
    MessageKind kind = MessageKind::other;
    MessageTarget target = MessageTarget::mainWindow;
    std::int32_t code = 0;  // a key-down's virtual-key code
};

// Virtual-key codes of the keys the game knows.
namespace vk {
constexpr int enter = 13, escape = 27, left = 37, up = 38, right = 39, down = 40;
constexpr int a = 65, m = 77, p = 80, r = 82, s = 83, z = 90;
}

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
    // context and set `glSetupStep` to 3. Returns false when no main window
    // could be made; the game then ends at once.
    virtual bool createMainWindow(GameState& state) = 0;

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
