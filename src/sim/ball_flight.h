#pragma once
// Shots and passes: their start on the S and A requests, and the ball's
// flight along the angle taken at the last touch.

struct GameState;

// Draws one number from the C library's (never seeded) generator at each
// shot start, and nowhere else.
void shotStep(GameState& state);

void passStep(GameState& state);
