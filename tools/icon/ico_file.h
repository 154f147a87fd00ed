#pragma once
// Windows icon files: several renderings of the icon drawing in one .ico,
// each stored the classic way, as a bottom-up bitmap followed by its 1-bit
// transparency mask, so every Windows version reads every image.

#include <cstdint>
#include <span>
#include <vector>

#include "tools/icon/icon_drawing.h"

// The sizes a Windows program's icon comes in, from the small title-bar icon
// at 100% scaling to the largest view in the file manager.
constexpr int windowsIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};

// 8-bit images keep the drawing's palette; 32-bit ones their alpha.
std::vector<std::uint8_t> icoFile(std::span<const IconImage> images);
