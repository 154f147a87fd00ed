#pragma once
// The banner: 320 x 10 cells across the top of the view, each grey or black,
// held in three colour planes indexed row * 320 + column.

#include "render/scene.h"

struct GameState;

constexpr float bannerGrey = 0.5f;
constexpr float bannerBlack = 0.0f;

// Every cell back to grey, before a text is plotted; bannerBlackCells to 0.
void clearBanner(GameState& state);

// Number of cells that are black in all three planes, counted afresh (the
// game keeps it in bannerBlackCells as it plots).
int countBlackCells(const GameState& state);

// Draws the 3,200 cells under the frame's camera (drawing code only): each
// run of equal cells in a row as one quad, all in one primitive; with
// perTriangle, the plain form it must match, each cell its own primitive.
void drawBanner(GameState& state, MeshBatching batching = MeshBatching::oneBatch);
