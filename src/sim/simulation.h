#pragma once
// The gameplay simulation: one step per frame of play. (The keeper's own
// step, run after the match view has been drawn, is in opponents.h.)

struct GameState;

void simulationStep(GameState& state);
