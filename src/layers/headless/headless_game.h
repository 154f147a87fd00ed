#pragma once
// A whole headless game: the state record, the scripted platform and the main
// loop driven one turn at a time, so a caller can look at every frame.

#include <cstdint>
#include <span>

#include "state/game_state.h"
#include "layers/headless/headless_platform.h"

class HeadlessGame {
public:
    // Draws into `view` when one is given (see HeadlessPlatform).
    explicit HeadlessGame(std::span<const ScriptEvent> script, HeadlessView* view = nullptr);

    // Start-up up to the main loop; false if no main window could be made.
    bool start();

    // One turn of the main loop with this turn's scripted events posted
    // first. Returns whether a frame ran; false once the game shut down.
    bool turn();

    // Ends the run as if the game had been shut down (used when the frame
    // budget is spent).
    void stop();

    // Start-up, then turns until `maxTurns` have run, the game shut down or
    // `keepGoing()` turns false; `afterFrame()` follows every frame that ran.
    // Ends with stop().
    template <class AfterFrame, class KeepGoing>
    void run(std::int64_t maxTurns, AfterFrame&& afterFrame, KeepGoing&& keepGoing)
    {
        if (start()) {
            while (turnsRun < maxTurns && running() && keepGoing())
                if (turn())
                    afterFrame();
        }
        stop();
    }

    bool running() const { return state.running == 1; }
    std::int64_t turns() const { return turnsRun; }
    std::int64_t frames() const { return framesRun; }

    GameState state;
    HeadlessPlatform platform;

private:
    std::int64_t turnsRun = 0;
    std::int64_t framesRun = 0;
};
