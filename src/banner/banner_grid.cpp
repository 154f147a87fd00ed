#include "banner/banner_grid.h"

#include <cstring>

#include "state/game_state.h"

namespace {

struct GreyPlane {
    float cells[bannerCells];
};

constexpr GreyPlane makeGreyPlane()
{
    GreyPlane plane{};
    for (float& cell : plane.cells)
        cell = bannerGrey;
    return plane;
}

// Copying from a ready grey plane lets the C library's block copy do the
// work, which is several times faster than a store loop on wide machines.
constexpr GreyPlane greyPlane = makeGreyPlane();

}  // namespace

void clearBanner(GameState& state)
{
    std::memcpy(state.bannerRed, greyPlane.cells, sizeof greyPlane.cells);
    std::memcpy(state.bannerGreen, greyPlane.cells, sizeof greyPlane.cells);
    std::memcpy(state.bannerBlue, greyPlane.cells, sizeof greyPlane.cells);
    state.bannerBlackCells = 0;
    state.plottedValid = 0;
}

int countBlackCells(const GameState& state)
{
    int black = 0;
    // Bitwise, not short-circuit, so the loop vectorises.
    for (int i = 0; i < bannerCells; ++i)
        black += (state.bannerRed[i] == bannerBlack) & (state.bannerGreen[i] == bannerBlack) &
                 (state.bannerBlue[i] == bannerBlack);
    return black;
}
