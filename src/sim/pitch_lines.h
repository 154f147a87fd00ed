#pragma once
// The lines of play. Each is measured from the movable anchor at the moment
// it is tested, so every line travels with the world scroll. They are single
// float operations on the anchor, exactly as the rules compare them.

#include "state/game_state.h"

constexpr float crossbarHeight = 0.8f;

inline float farOutLine(const GameState& s) { return s.pitch.y - 5.2f; }
inline float nearOutLine(const GameState& s) { return s.pitch.y - 24.7f; }
// The goal line is the left side line; both shot targets lie on it.
inline float goalLine(const GameState& s) { return s.pitch.x - 16.9f; }
inline float rightSideLine(const GameState& s) { return s.pitch.x + 16.9f; }
// The goal mouth is the open band mouthLow < y < mouthHigh at either end.
inline float mouthLow(const GameState& s) { return s.pitch.y - 16.3f; }
inline float mouthHigh(const GameState& s) { return s.pitch.y - 13.8f; }
inline float mouthMiddle(const GameState& s) { return s.pitch.y - 15.0f; }
// Below it defender1 chases, on and above it defender2.
inline float splitLine(const GameState& s) { return s.pitch.y - 14.2f; }
// Left of it defender3 joins the chase.
inline float nearGoalLine(const GameState& s) { return s.pitch.x - 3.0f; }
inline float upperTargetY(const GameState& s) { return s.pitch.y - 14.1f; }
inline float lowerTargetY(const GameState& s) { return s.pitch.y - 16.0f; }

// Whether the ball lies strictly inside the box of half-widths reachX, reachY
// around (x, y): how players touch it and opponents take it.
inline bool ballWithin(const Ball& b, float x, float y, float reachX, float reachY)
{
    return x - reachX < b.x && b.x < x + reachX && y - reachY < b.y && b.y < y + reachY;
}
