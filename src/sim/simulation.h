#pragma once
// The gameplay simulation: one step per frame of play, and the keeper's step
// after the match view has been drawn (also while paused).

struct GameState;

void simulationStep(GameState& state);
void keeperStep(GameState& state);
