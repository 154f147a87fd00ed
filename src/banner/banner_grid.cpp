#include "banner/banner_grid.h"

#include <algorithm>

#include "app/game_state.h"

void clearBanner(GameState& state)
{
    std::fill(std::begin(state.bannerRed), std::end(state.bannerRed), bannerGrey);
    std::fill(std::begin(state.bannerGreen), std::end(state.bannerGreen), bannerGrey);
    std::fill(std::begin(state.bannerBlue), std::end(state.bannerBlue), bannerGrey);
}

int countBlackCells(const GameState& state)
{
    int black = 0;
    for (int i = 0; i < bannerCells; ++i)
        black += state.bannerRed[i] == bannerBlack && state.bannerGreen[i] == bannerBlack &&
                 state.bannerBlue[i] == bannerBlack;
    return black;
}
