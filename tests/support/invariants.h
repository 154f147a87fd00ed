#pragma once
// What the game's rules promise after every frame, whatever keys were
// pressed. Used by the fuzz target and the soak test.

#include <cstdint>
#include <string>

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
