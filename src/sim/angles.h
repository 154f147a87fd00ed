#pragma once
// Gameplay angles are degrees taken from a one-argument arctangent of a
// quotient; motions turn them back into radians. Both factors are the game's
// own 32-bit values (their product is not exactly 1), and every call is the
// single-precision one: a double anywhere here changes where shots land.

#include <math.h>

inline float degreesOf(float quotient) { return atanf(quotient) * 57.295826f; }
inline float radiansOf(float degrees) { return degrees * 0.01745328f; }
