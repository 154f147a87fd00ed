#pragma once
// The Windows layer: a popup window over the whole primary screen (or a
// resizable 1280 x 720 one) with a WGL context, the modeless MENU dialog,
// looping music through PlaySoundW, XInput pads, and the performance counter
// with Sleep for the frame pause. Windows' own messages are drained into the
// shared message queue every turn; the game gets at most one a turn.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>

#include "layers/common/message_queue.h"
#include "layers/common/script_player.h"
#include "layers/win32/output_file.h"
#include "layers/win32/xinput_pads.h"
#include "platform/platform.h"
#include "replay/script.h"

class Win32Platform : public Platform {
public:
    Win32Platform(HINSTANCE instance, int showCommand, bool windowed);
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // From now on every handled message is written to `record` as a line of
    // an input script (null: none); the caller owns and closes it.
    void setRecording(OutputFile* record) { recordFile = record; }

    // Runs when Windows ends the session (log-off, shutdown): the process
    // may be ended as soon as the message is answered.
    void setEndSessionAction(std::function<void()> action) { endSessionAction = std::move(action); }

    // Watching: the game's messages come from `recording` (which must
    // outlive the platform), one per turn as a headless run hands them over,
    // and the keyboard only steers the playback: Space pauses and resumes it,
    // the right arrow held skims, Escape or a close request ends it.
    void watch(std::span<const ScriptEvent> recording, std::int64_t endTurn);
    // While this is true the next turn must not run: the playback is paused,
    // or the recording is over (its next message would end the game).
    bool holdsPlayback() const;
    // Waits a little for the keyboard while no turn runs, and draws the held
    // frame again from the unchanged game when the window was resized or
    // uncovered meanwhile.
    void waitForControls(GameState& state);

    // The main window, once made; null before and after.
    HWND window() const;

    // What the window and dialog procedures tell the layer.
    void keyChanged(int code, bool down, bool repeated);
    void requestClose();
    void menuCommand(MessageKind kind);
    void sizeChanged() { viewResized = redrawWanted = true; }
    void exposed() { redrawWanted = true; }
    void sessionEnding();

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
    void pumpMessages();
    void takeKeyboardBack();
    void record(const Message& message);
    bool menuShown() const;

    HINSTANCE instance;
    int showCommand;
    bool windowed;
    HACCEL accelerators = nullptr;
    std::int64_t counterFrequency = 1;
    OutputFile* recordFile = nullptr;
    std::function<void()> endSessionAction;
    std::int64_t turn = 0;
    MessageQueue messages;
    bool closeQueued = false;
    XInputPads pads;
    bool viewResized = false;
    bool redrawWanted = false;  // resized or uncovered since the last frame
    int refocusTurns = 0;  // turns left to make sure the keyboard came back
    bool musicPlaying = false;

    bool watching = false;
    ScriptPlayer recording;
    bool playbackPaused = false;
    bool skimming = false;
    std::int64_t skimmedNs = 0;  // pauses skipped while skimming, added to the clock
};

// The modeless MENU dialog, made hidden while the program's statics are
// initialised, before wWinMain runs.
extern HWND menuDialog;

// The window procedures' way to the layer; set while a Win32Platform lives,
// null before (the dialog already gets messages then).
extern Win32Platform* windowsPlatform;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
