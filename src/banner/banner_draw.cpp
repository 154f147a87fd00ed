#include "app/game_state.h"
#include "banner/banner_grid.h"

// Filled in with the renderer.
void drawBanner(GameState&) {}
