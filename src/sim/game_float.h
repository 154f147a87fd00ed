#pragma once
// The game's own arctangent, sine and cosine. Shots and chases turn on these,
// so a recording plays out the same only where they give the same bits:
// these give, on every platform, the results the Linux game has always had
// (those of the GNU C library's x86-64 SSE2 atanf, sinf and cosf), instead of
// whatever the local C library rounds to.
//
// They are out of line on purpose, so that no compiler folds a call with a
// constant argument or merges a sine and a cosine into one sincos call.

float gameAtan(float x);
float gameSin(float x);
float gameCos(float x);
