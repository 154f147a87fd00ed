#include "render/frame.h"

#include "app/game_state.h"
#include "platform/platform.h"

void setUpFrame(GameState& state)
{
    state.drawIndex = 0;
}

void drawScene(GameState&) {}

void finishFrame(GameState&, Platform& platform)
{
    platform.presentFrame();
}
