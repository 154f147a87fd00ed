#pragma once
// Gameplay angles are degrees taken from a one-argument arctangent of a
// quotient; motions turn them back into radians. Both factors are the game's
// own 32-bit values (their product is not exactly 1), and the arctangent is
// the game's own single-precision one: a double anywhere here, or another
// library's rounding, changes where shots land.

#include "sim/game_float.h"

inline float degreesOf(float quotient) { return gameAtan(quotient) * 57.295826f; }
inline float radiansOf(float degrees) { return degrees * 0.01745328f; }
