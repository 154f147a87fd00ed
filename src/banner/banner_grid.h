#pragma once
// The banner: 320 x 10 cells across the top of the view, each grey or black,
// held in three colour planes indexed row * 320 + column.

struct GameState;

constexpr float bannerGrey = 0.5f;
constexpr float bannerBlack = 0.0f;

// Every cell back to grey, before a text is plotted; bannerBlackCells to 0.
void clearBanner(GameState& state);

// Number of cells that are black in all three planes, counted afresh (the
// game keeps it in bannerBlackCells as it plots).
int countBlackCells(const GameState& state);
