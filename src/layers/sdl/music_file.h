#pragma once
// Reading the game's music: a file that may be anything a careless or
// hostile hand left there, decoded once into memory at the mixer's rate and
// channel count, to be looped from there.

#include <cstdint>
#include <string>
#include <vector>

// Reads the WAV file at `path` as 16-bit samples, `channels` interleaved,
// `rate` frames a second, into `samples`. Returns an empty string on
// success, else why the file cannot be played in a few words (and leaves
// `samples` empty). Only a regular file is opened for reading (a pipe or a
// device never blocks it); see wave_header.h for what plays. Memory stays
// within the decoded sound of at most 30 minutes.
std::string readMusicFile(const char* path, int rate, int channels, std::vector<std::int16_t>& samples);
