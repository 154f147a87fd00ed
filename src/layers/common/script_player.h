#pragma once
// Plays a script's messages into the game the way a queue hands them over:
// each event waits from the message step of its turn on, and one waiting
// event is handed over per turn, oldest first. The headless runner, the
// desktop's and the browser's watching all play scripts through this.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/messages.h"
#include "replay/script.h"

class ScriptPlayer {
public:
    ScriptPlayer() = default;
    // The events must outlive the player. A recording that says where it
    // ended (Script::endTurn, 0 for none) is over after that turn, whatever
    // it holds beyond it.
    explicit ScriptPlayer(std::span<const ScriptEvent> events, std::int64_t endTurn = 0)
        : script(events), lastTurn(endTurn)
    {
    }

    // Every event of a turn up to `turn` now waits.
    void postUpTo(std::int64_t turn);

    // The oldest waiting event as a message to the main window (the layer
    // addresses it when it hands it over); false when none waits.
    bool take(Message& message);

    // Whether the message that the message step of `turn` would hand over
    // ends the game: a close request, or Escape to the main window.
    bool endsGameIn(std::int64_t turn, bool menuShown) const;

    // Every event has been handed over.
    bool finished() const { return consumed == script.size(); }

    // Whether the recording is over before `turn` can run: its end line
    // named an earlier turn. A watch holds there, however the session ended
    // (killed, the display gone), as a replay with --frames N stops.
    bool overBefore(std::int64_t turn) const { return lastTurn != 0 && turn > lastTurn; }

private:
    std::span<const ScriptEvent> script;
    std::size_t posted = 0;    // events [0, posted) wait or were handed over
    std::size_t consumed = 0;  // events [0, consumed) were handed over
    std::int64_t lastTurn = 0;
};
