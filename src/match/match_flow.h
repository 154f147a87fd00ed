#pragma once
// Match phases and counters. matchPhase: 1 title, 2 play. pauseState: 0
// running, 1 pausing (the first 30 frames of a pause), 2 paused.

struct GameState;

constexpr int goalsToWin = 4;
constexpr int attemptsToLose = 25;

// Pause, resume, restart and start keys and the pause counter. Afterwards the
// simulation runs in this frame only if matchInPlay() holds.
void matchStep(GameState& state);

bool matchInPlay(const GameState& state);

// Last game step of every frame: latches live for exactly one frame, and a
// pass or shot request made before anyone carried the ball is dropped.
void endOfFrameClearing(GameState& state);
