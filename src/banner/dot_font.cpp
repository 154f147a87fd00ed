#include "banner/dot_font.h"

#include <array>

#include "state/game_state.h"
#include "banner/banner_grid.h"

constexpr Glyph bannerFont[fontGlyphs] = {
    {'a', 1, {".#.", "#.#", "###", "#.#", "#.#"}},
    {'b', 2, {"##.", "#.#", "##.", "#.#", "##."}},
    {'c', 3, {".##", "#..", "#..", "#..", ".##"}},
    {'d', 4, {"##.", "#.#", "#.#", "#.#", "##."}},
    {'e', 5, {"###", "#..", "###", "#..", "###"}},
    {'f', 6, {"###", "#..", "###", "#..", "#.."}},
    {'g', 7, {"###", "#..", "#..", "#.#", "###"}},
    {'h', 8, {"#.#", "#.#", "###", "#.#", "#.#"}},
    {'i', 9, {"###", ".#.", ".#.", ".#.", "###"}},
    {'j', 10, {"..#", "..#", "..#", "#.#", ".#."}},
    {'k', 11, {"#.#", "##.", "#..", "##.", "#.#"}},
    {'l', 12, {"#..", "#..", "#..", "#..", "###"}},
    {'m', 13, {"#.#", "###", "#.#", "#.#", "#.#"}},
    {'n', 14, {"#.#", "###", "###", "###", "#.#"}},
    {'o', 15, {".#.", "#.#", "#.#", "#.#", ".#."}},
    {'p', 16, {"##.", "#.#", "##.", "#..", "#.."}},
    {'q', 17, {".#.", "#.#", "#.#", "###", "..#"}},
    {'r', 18, {"##.", "#.#", "##.", "##.", "#.#"}},
    {'s', 19, {".##", "#..", ".#.", "..#", "##."}},
    {'t', 20, {"###", ".#.", ".#.", ".#.", ".#."}},
    {'u', 21, {"#.#", "#.#", "#.#", "#.#", "###"}},
    {'v', 22, {"#.#", "#.#", "#.#", "#.#", ".#."}},
    {'w', 23, {"#.#", "#.#", "#.#", "###", "#.#"}},
    {'x', 24, {"#.#", "#.#", ".#.", "#.#", "#.#"}},
    {'y', 25, {"#.#", "#.#", ".#.", ".#.", ".#."}},
    {'z', 26, {"###", "..#", ".#.", "#..", "###"}},
    {'0', 30, {"###", "#.#", "#.#", "#.#", "###"}},
    {'1', 31, {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', 32, {"##.", "..#", ".#.", "#..", "###"}},
    {'3', 33, {"##.", "..#", ".#.", "..#", "##."}},
    {'4', 34, {"#..", "#..", "#.#", "###", "..#"}},
    {'5', 35, {"###", "#..", "###", "..#", "###"}},
    {'6', 36, {"###", "#..", "###", "#.#", "###"}},
    {'7', 37, {"###", "..#", "..#", ".#.", ".#."}},
    {'8', 38, {"###", "#.#", ".#.", "#.#", "###"}},
    {'9', 39, {"###", "#.#", "###", "..#", "###"}},
    {',', 27, {"...", "...", "...", "#..", "#.."}},
    {'.', 28, {"...", "...", "...", "...", "#.."}},
    {' ', 29, {"...", "...", "...", "...", "..."}},
};

namespace {

constexpr int maxCode = 39;
// Four lines of 80 characters fill the grid; the 320th character ends on the
// last cell, and anything after it would be written past the planes.
constexpr int maxPlottedCharacters = 320;

// Offsets of the set dots of each glyph from its bottom-left cell, worked
// out once from the font table.
struct DotList {
    int count = 0;
    int offsets[glyphColumns * glyphRows] = {};
};

struct FontIndex {
    std::array<std::int32_t, 256> codeOfByte{};
    std::array<DotList, maxCode + 1> dots{};
};

constexpr FontIndex buildIndex()
{
    FontIndex index;
    for (const Glyph& glyph : bannerFont) {
        index.codeOfByte[static_cast<unsigned char>(glyph.character)] = glyph.code;
        DotList& list = index.dots[glyph.code];
        for (int k = 1; k <= glyphRows; ++k)
            for (int h = 1; h <= glyphColumns; ++h)
                if (glyph.rows[k - 1][h - 1] == '#')
                    list.offsets[list.count++] = (k - 5) * bannerColumns + h - 1;
    }
    return index;
}

constexpr FontIndex fontIndex = buildIndex();

}  // namespace

std::int32_t glyphCodeFor(unsigned char byte)
{
    return fontIndex.codeOfByte[byte];
}

void resetPlotting(GameState& state)
{
    state.plotIndex = 0;
    state.plotColumn = 1;
    state.plotRow = 6;
    state.glyphCode = 0;
    state.plottedValid = 0;
}

void plotGlyph(GameState& state, std::int32_t code)
{
    if (code <= 0 || code > maxCode)
        return;
    const DotList& list = fontIndex.dots[code];
    const int base = state.plotRow * bannerColumns + state.plotColumn;
    state.plottedValid = 0;
    for (int d = 0; d < list.count; ++d) {
        const int cell = base + list.offsets[d];
        state.bannerBlackCells += state.bannerRed[cell] != bannerBlack || state.bannerGreen[cell] != bannerBlack ||
                                  state.bannerBlue[cell] != bannerBlack;
        state.bannerRed[cell] = bannerBlack;
        state.bannerGreen[cell] = bannerBlack;
        state.bannerBlue[cell] = bannerBlack;
    }
}

void plotBannerText(GameState& state)
{
    resetPlotting(state);
    const std::int32_t length = static_cast<std::int32_t>(state.bannerText.size());
    while (state.plotIndex < length && state.plotIndex < maxPlottedCharacters) {
        state.plotChar = state.bannerText[static_cast<std::size_t>(state.plotIndex)];
        state.glyphCode = glyphCodeFor(static_cast<unsigned char>(state.plotChar));
        plotGlyph(state, state.glyphCode);
        state.plotColumn += 4;
        ++state.plotIndex;
    }
}

void showBannerText(GameState& state)
{
    if (state.plottedValid != 0 && state.plottedText == state.bannerText)
        return;
    clearBanner(state);
    plotBannerText(state);
    state.plottedText = state.bannerText;
    state.plottedValid = 1;
}
