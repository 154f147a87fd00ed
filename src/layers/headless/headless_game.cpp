#include "layers/headless/headless_game.h"

#include "app/main_loop.h"

HeadlessGame::HeadlessGame(std::span<const ScriptEvent> script, HeadlessView* view)
    : platform(script, view)
{
}

bool HeadlessGame::start()
{
    return startUp(state, platform);
}

bool HeadlessGame::turn()
{
    if (state.running != 1)
        return false;
    ++turnsRun;
    platform.postEventsForTurn(turnsRun);
    const bool frameRan = mainLoopTurn(state, platform);
    if (frameRan)
        ++framesRun;
    return frameRan;
}

void HeadlessGame::stop()
{
    shutdownSequence(state, platform);
}
