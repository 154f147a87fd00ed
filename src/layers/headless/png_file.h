#pragma once
// Screenshots as PNG files (8-bit RGB), written with libpng.

#include <cstdint>
#include <string>

// Writes width x height RGB pixels, top row first. Returns an empty string
// on success, else the problem in one line.
std::string writePng(const std::string& path, int width, int height, const std::uint8_t* rgb);
