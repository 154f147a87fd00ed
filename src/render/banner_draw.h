#pragma once
// The banner's cells drawn across the top of the view.

#include "render/scene.h"

struct GameState;

// Draws the 3,200 cells under the frame's camera (drawing code only): each
// run of equal cells in a row as one quad, all in one primitive; with
// perTriangle, the plain form it must match, each cell its own primitive.
void drawBanner(GameState& state, MeshBatching batching = MeshBatching::oneBatch);
