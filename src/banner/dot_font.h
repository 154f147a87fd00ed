#pragma once
// The 3 x 5 dot font and the plotting of the banner text into the grid.

#include <cstdint>

struct GameState;

constexpr int glyphColumns = 3;
constexpr int glyphRows = 5;
constexpr int fontGlyphs = 39;

struct Glyph {
    char character;
    std::int32_t code;
    const char* rows[glyphRows];  // top to bottom, '#' set, '.' clear
};

extern const Glyph bannerFont[fontGlyphs];

// The glyph code for a byte, 0 when the font has no glyph for it.
std::int32_t glyphCodeFor(unsigned char byte);

// Plotting state back to its start: first glyph at column 1, bottom row 6.
void resetPlotting(GameState& state);

// Writes the set dots of glyph `code` with its bottom-left dot at
// (plotRow, plotColumn), counting the cells it turns black. Code 0 and the
// space write nothing.
void plotGlyph(GameState& state, std::int32_t code);

// Plots the whole banner text, 4 columns per character, from the start
// state. Only the first 320 characters are plotted: the 320th ends on the
// last cell of the grid.
void plotBannerText(GameState& state);

// The frame's banner step: leaves the planes, bannerBlackCells and the
// plotting state as a clear and plotBannerText would, but clears and plots
// only when bannerText differs from the text they were last made from.
void showBannerText(GameState& state);
