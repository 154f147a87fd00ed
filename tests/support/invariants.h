#pragma once
// What the game's rules promise after every frame, whatever keys were
// pressed, and messages made of any bytes. Used by the fuzz target and the
// soak test.

#include <cstdint>
#include <string>
#include <vector>

#include "replay/script.h"

class HeadlessGame;

class InvariantChecker {
public:
    // Checks the game after each frame that ran. Returns an empty string
    // when all is well, else what broke.
    std::string afterFrame(const HeadlessGame& game);

private:
    bool seenFrame = false;
    std::int64_t messagesSeen = 0;
    std::int32_t lastAttempts = 0;
    std::int32_t nanSteps = 0;  // simulation steps since the ball became not-a-number
};

// Two bytes a message: the high nibble of the first is the gap in turns to
// the previous message, its low nibble the kind (one of the game's keys, any
// key code, a close request, a click on the dialog's OK or close box); the
// second picks the key code where one is needed. Escape and close are rare,
// or most inputs would only test quitting, and left out unless `quitting`.
std::vector<ScriptEvent> messagesFromBytes(const std::uint8_t* data, std::size_t size, bool quitting);
