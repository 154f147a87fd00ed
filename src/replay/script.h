#pragma once
// Input scripts: one scripted message per line, "TURN EVENT", posted to the
// message queue just before the message step of main loop turn TURN.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"

constexpr std::int64_t maxScriptTurn = 2147483647;
// Whatever a script holds, reading it takes bounded memory: a longer line is
// refused as soon as it is read, and so is the event past the last one.
constexpr std::size_t maxScriptLine = 4096;
constexpr std::size_t maxScriptEvents = 100'000'000;

struct ScriptEvent {
    std::int32_t turn = 0;
    MessageKind kind = MessageKind::other;
    std::uint8_t code = 0;  // virtual-key code of a keyDown
};
static_assert(sizeof(ScriptEvent) == 8);

struct Script {
    std::vector<ScriptEvent> events;  // in file order, turns never decreasing
    std::string error;                // empty when the script is good
    // A recorded session ends with the comment "# ended in turn N: replay
    // with --frames N": the frames its trace holds. N, or 0 without one.
    std::int64_t endTurn = 0;
};

// Parses script text; `name` labels error messages ("NAME:LINE: problem").
Script parseScript(std::string_view text, std::string_view name);

// Reads and parses a script file, a line at a time.
Script loadScript(const std::string& path);

// The same from a file the caller opened (and closes): a pipe, say, that
// had to be waited for. `path` names it in error messages.
Script readScript(std::FILE* file, const std::string& path);

// The script line for one event, without the line end ("12 enter",
// "40 key:112", "7 menu-ok"); used to record a session as a script.
std::string formatScriptEvent(const ScriptEvent& event);

// A recording's end line, "# ended in turn N: replay with --frames N\n",
// into `out`, which holds at least endLineCapacity bytes. It allocates
// nothing, so a stop signal's last resort can write it too; returns its
// length.
constexpr std::size_t endLineCapacity = 96;
std::size_t formatEndLine(char* out, std::int64_t frames);
