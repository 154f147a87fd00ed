#pragma once

struct GameState;

// defender1, defender2, then defender3: each chases the ball while it lies in
// its zone and below the bar, then tests for a touch. (keeperStep is in
// simulation.h.)
void defendersStep(GameState& state);
