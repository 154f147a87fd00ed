#pragma once
// The browser layer: a WebGL canvas drawn through emscripten's OpenGL
// emulation; keys from the document, pads and the page's touch controls; the
// music, the MENU dialog, the cursor and the wake lock kept by the page
// (index.html), which the layer asks through Module.page. The page decides
// the canvas's size: the whole window on a desktop, 16:9 when played by touch.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "layers/common/message_queue.h"
#include "layers/common/pad_keys.h"
#include "layers/common/script_player.h"
#include "layers/web/key_map.h"
#include "platform/platform.h"
#include "replay/script.h"

class WebPlatform : public Platform {
public:
    // Plays a recording instead of the keyboard: each event is posted just
    // before the message step of its turn, as in a headless run, and none
    // past `endTurn` (the recording's end line; 0: none). Call before the
    // game starts.
    void watch(std::vector<ScriptEvent> events, std::int64_t endTurn);
    bool watching() const { return watched; }

    // A key-down from the document (`repeated`: made by the keyboard while
    // the key is held); returns true when the page should keep it from the
    // browser (the game's own keys while they reach it).
    bool pressKey(const BrowserKey& key, bool ctrlOrMeta, bool repeated);
    // A click on the dialog's OK button or its close box.
    void pressMenuButton(bool closeBox);
    // The page's touch controls play as one more pad: a button went down or
    // up, or the direction pad is held at (x, y), each -1..1 with y growing
    // downwards ((0, 0) when let go). Held, they repeat as a pad's buttons do.
    void touchButton(PadButton button, bool down);
    void touchDirection(double x, double y);
    // The page was hidden or shown again: while hidden no turn runs and
    // whatever a touch held is let go.
    void setHidden(bool hidden);
    bool hidden() const { return pageHidden; }
    // Escape pressed during a watch: the watch stops at the picture it shows.
    bool watchStopped() const { return stopRequested; }
    // The watched recording's end line comes before the next turn: it ends
    // there, however its session ended.
    bool watchOver() const { return watched && player.overBefore(turn + 1); }
    // The pause the frame asked for in the turn just run, in milliseconds;
    // the main loop waits that long before the next turn.
    std::int64_t takePause();
    // The picture stays, everything else stops: the music, the keys, the
    // wake lock (a replay that reached its last turn).
    void freeze();

    void keepDisplayAwake(bool awake) override;
    void showCursor(bool show) override;
    bool createMainWindow() override;
    void showMainWindow() override;
    void takeFirstMessage() override {}
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
    void queue(const Message& message, bool repeated = false);
    void followPageSize();
    void pollGamepads(std::int64_t ms);
    void postPad(const std::optional<PadPress>& press);

    MessageQueue messages;
    bool windowMade = false;
    bool menuShown = false;
    int cursorCounter = 0;
    int width = 0, height = 0;
    bool framePresented = false;
    PadKeys padKeys;
    std::uint32_t padsSeen = 0;  // bit i: pad i was connected at the last poll
    // The touch controls' pad number: past the browser's gamepad indices.
    static constexpr int touchPad = 1000;
    bool pageHidden = false;
    bool stopRequested = false;
    bool watched = false;
    std::vector<ScriptEvent> script;
    ScriptPlayer player;
    std::int64_t turn = 0;
    // The frame pause cannot block the page: a sleep moves this clock on and
    // is waited out between turns instead.
    std::int64_t sleptNs = 0;
    std::int64_t pauseMs = 0;
};
