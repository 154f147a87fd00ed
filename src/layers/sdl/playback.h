#pragma once
// A session's recording, both ways: writing every handled message as a line
// of an input script, and watching a recording back, one message per turn as
// a headless run hands them over (the shared ScriptPlayer), with the watcher's
// keys: Space pauses and resumes, the right arrow held skims (the pauses
// after the frames pass at once, added to the game's clock), Escape or
// Alt+F4 ends it.

#include <SDL.h>

#include <cstdint>
#include <span>

#include "layers/common/script_player.h"
#include "layers/posix/output_file.h"
#include "platform/messages.h"
#include "replay/script.h"

class Playback {
public:
    // Every handled message is written to `file` (null: none); the caller
    // owns and closes it.
    void setRecording(OutputFile* file) { recordFile = file; }
    void record(std::int64_t turn, MessageKind kind, std::int32_t code);

    // The game's messages come from `events` (which must outlive this),
    // up to the turn the recording ended in (0: its last event).
    void watch(std::span<const ScriptEvent> events, std::int64_t endTurn);
    bool watching() const { return watched; }

    // What a key of the watcher's asks for.
    enum class Steer { nothing, close, pause, resume };
    Steer steer(const SDL_KeyboardEvent& key);

    // Whether the next turn, `turn`, must wait: paused, or the recording is
    // over (its end line's turn has run, or its next message would end the
    // game).
    bool holds(std::int64_t turn, bool menuShown) const;
    bool paused() const { return pausedNow; }
    // The message for the message step of `turn`; false when none waits.
    bool next(std::int64_t turn, Message& message);

    // The game's clock and its pause, skimmed or not.
    std::int64_t clockNanoseconds() const;
    void sleepMilliseconds(std::int64_t ms);

private:
    OutputFile* recordFile = nullptr;
    bool watched = false;
    ScriptPlayer player;
    bool pausedNow = false;
    bool skimming = false;
    std::int64_t skimmedNs = 0;  // pauses skipped while skimming, added to the clock
};
