#pragma once

struct GameState;

// Restores the kick-off layout and marks the reset done (resetRequest 3).
// Leaves ballInFlight and the match counters alone.
void kickoffReset(GameState& state);
