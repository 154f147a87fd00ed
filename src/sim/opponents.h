#pragma once

struct GameState;

// defender1, defender2, then defender3: each chases the ball while it lies in
// its zone and below the bar, then tests for a touch.
void defendersStep(GameState& state);

// The keeper, once per frame of the match view after it has been drawn (also
// while paused).
void keeperStep(GameState& state);
