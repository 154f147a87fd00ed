#pragma once
// The headless platform layer: messages come from a script, nothing sleeps and
// nothing sounds. What the game asks of the machine is recorded so tests can
// see it: music starts and stops, the cursor counter, the MENU dialog.

#include <cstdint>
#include <span>

#include "layers/common/script_player.h"
#include "platform/platform.h"
#include "replay/script.h"

class HeadlessView;

class HeadlessPlatform : public Platform {
public:
    // The script, and the view when there is one, must outlive the
    // platform. Without a view nothing is drawn; the frames still change the
    // game state exactly as drawn ones do.
    explicit HeadlessPlatform(std::span<const ScriptEvent> script, HeadlessView* view = nullptr);

    // Posts every scripted event of this turn to the queue; the runner calls
    // it just before each turn's message step.
    void postEventsForTurn(std::int64_t turn) { script.postUpTo(turn); }

    void keepDisplayAwake(bool awake) override { displayAwake = awake; }
    void showCursor(bool show) override { cursorCounter += show ? 1 : -1; }
    bool createMainWindow() override;
    void showMainWindow() override { windowShown = true; }
    void takeFirstMessage() override {}
    void handleOneMessage(GameState& state) override;
    bool drawsFrames() const override { return view != nullptr; }
    void presentFrame() override;
    void startMusic() override { ++musicStarts; musicPlaying = true; }
    void stopMusic() override { ++musicStops; musicPlaying = false; }
    void showMenuDialog(const char* description, const char* keyHelp) override;
    void endMenuDialog() override { menuShown = false; }
    void reactivateMainWindow() override { ++reactivations; }
    void destroyMainWindow() override;
    std::int64_t clockNanoseconds() override { return clock; }
    void sleepMilliseconds(std::int64_t ms) override { clock += ms * 1'000'000; }

    // What the game did with the machine, for tests and the runner.
    bool displayAwake = false;
    int cursorCounter = 0;  // the cursor shows while this is at least 0
    bool windowShown = false;
    bool windowDestroyed = false;
    std::int64_t framesPresented = 0;
    int musicStarts = 0;
    int musicStops = 0;
    bool musicPlaying = false;
    bool menuShown = false;  // the dialog is then the active window
    const char* menuDescription = "1";  // its template texts until first shown
    const char* menuKeyHelp = "2";
    int reactivations = 0;
    std::int64_t messagesDispatched = 0;  // handed to a window or dialog procedure
    Message lastMessage;                  // the latest of them
    std::int64_t clock = 0;  // virtual: only the frame pauses advance it

private:
    ScriptPlayer script;
    HeadlessView* view;
};
