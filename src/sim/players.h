#pragma once
// The user's side of the step: moving the controlled player, touching and
// carrying the ball, and the world scroll while a player runs with it.

struct GameState;

void moveControlledPlayer(GameState& state);

// Only the controlled player can touch the ball.
void touchTests(GameState& state);

// Shifts the anchor, then the other user player and the four opponents,
// against the run of the player who moved with the ball in this frame.
void worldScroll(GameState& state);
