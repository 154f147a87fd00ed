#pragma once
// The rules that spend an attempt, score a goal or take one back. They only
// change the counters and request the kick-off reset; nothing is moved, and
// every rule that holds counts, so one frame can cost several attempts.

struct GameState;
struct Defender;

void loseAttempt(GameState& state);

// The line rules and the not-a-number test, on the ball as it now stands.
void lineRules(GameState& state);

// For a defender that has just taken its chase step.
void defenderTouch(GameState& state, const Defender& defender);

// At the end of the keeper's step, paused or not.
void keeperHold(GameState& state);
