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
    // The events must outlive the player.
    explicit ScriptPlayer(std::span<const ScriptEvent> events) : script(events) {}

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

private:
    std::span<const ScriptEvent> script;
    std::size_t posted = 0;    // events [0, posted) wait or were handed over
    std::size_t consumed = 0;  // events [0, consumed) were handed over
};
