#pragma once
// The process around the frames: start-up, the main loop with one message and
// one frame per turn, the pause after each frame and the orderly shutdown.

struct GameState;
class Platform;

// Start-up in the game's order, then the main loop until the shutdown.
// Returns 0 in every case (nothing reads the result).
int runGame(GameState& state, Platform& platform);

// Start-up up to the first message; false when the main window could not be
// made, in which case nothing is shown and the loop must not run.
bool startUp(GameState& state, Platform& platform);

// One turn of the main loop: open the input gate, handle at most one message,
// close the gate and run the frame unless the game is shutting down.
// Returns whether a frame ran.
bool mainLoopTurn(GameState& state, Platform& platform);

// Escape and close requests end up here; it runs at most once.
void shutdownSequence(GameState& state, Platform& platform);
