// The Windows program. Like the MENU dialog, the game record exists with its
// start values before wWinMain runs.

#include <windows.h>

#include "state/game_state.h"
#include "app/main_loop.h"
#include "layers/win32/win32_platform.h"

namespace {
GameState gameState;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    Win32Platform platform(gameState, instance, showCommand);
    return runGame(gameState, platform);
}
