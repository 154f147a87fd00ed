#pragma once
// What the game's rules promise after every frame, whatever keys were
// pressed. Used by the fuzz target and the soak test.

#include <cstdint>
#include <string>

struct GameState;

class InvariantChecker {
public:
    // Checks the state after a frame; returns an empty string when all is
    // well, else what broke.
    std::string afterFrame(std::int64_t frame, const GameState& state);

private:
    bool seenFrame = false;
    std::int32_t lastGoals = 0;
    std::int32_t lastAttempts = 0;
    std::int32_t nanSteps = 0;  // simulation steps since the ball became not-a-number
};
