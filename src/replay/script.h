#pragma once
// Input scripts: one scripted message per line, "TURN EVENT", posted to the
// message queue just before the message step of main loop turn TURN.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

constexpr std::int64_t maxScriptTurn = 2147483647;

struct ScriptEvent {
    std::int64_t turn = 0;
    MessageKind kind = MessageKind::other;
    std::int32_t code = 0;  // virtual-key code of a keyDown
};

struct Script {
    std::vector<ScriptEvent> events;  // in file order, turns never decreasing
    std::string error;                // empty when the script is good
};

// Parses script text; `name` labels error messages ("NAME:LINE: problem").
Script parseScript(std::string_view text, std::string_view name);

// Reads and parses a script file.
Script loadScript(const std::string& path);

// The script line for one event, without the line end ("12 enter",
// "40 key:112", "7 menu-ok"); used to record a session as a script.
std::string formatScriptEvent(const ScriptEvent& event);
