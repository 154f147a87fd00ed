#include "app/main_loop.h"

#include "state/game_state.h"
#include "app/run_frame.h"
#include "platform/platform.h"

bool startUp(GameState& state, Platform& platform)
{
    platform.keepDisplayAwake(true);
    platform.showCursor(false);
    if (!platform.createMainWindow())
        return false;
    state.glSetupStep = glSetupStep::contextReady;
    platform.showMainWindow();
    platform.takeFirstMessage();
    return true;
}

bool mainLoopTurn(GameState& state, Platform& platform)
{
    state.inputGate = inputGate::open;
    platform.handleOneMessage(state);
    const std::int32_t stopping = state.shuttingDown;
    state.inputGate = inputGate::shut;
    if (stopping != 0)
        return false;
    runFrame(state, platform);
    return true;
}

int runGame(GameState& state, Platform& platform)
{
    if (!startUp(state, platform))
        return 0;
    while (state.running == 1)
        mainLoopTurn(state, platform);
    return 0;
}

void shutdownSequence(GameState& state, Platform& platform)
{
    if (state.closeState != closeState::open)
        return;
    state.closeState = closeState::closed;
    state.running = 0;
    state.shuttingDown = 1;
    platform.keepDisplayAwake(false);
    platform.stopMusic();
    platform.endMenuDialog();
    platform.destroyMainWindow();
}
