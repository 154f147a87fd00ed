#pragma once
// A small synthesiser for the game's background music: a cheerful eight-bar
// loop of bass, arpeggio, melody and drums, rendered so that its end runs
// straight into its start.

#include <cstdint>
#include <vector>

constexpr int musicSampleRate = 44100;
constexpr int musicBeats = 32;           // eight bars of four beats
constexpr double musicBeatSeconds = 0.5; // 120 beats a minute

// The whole loop, mono, 16-bit. The same samples on every run.
std::vector<std::int16_t> synthesiseLoop();
