#include "match/match_flow.h"

#include "state/game_state.h"

namespace {
constexpr int pauseSettleFrames = 30;
}

void matchStep(GameState& state)
{
    std::int32_t& pause = state.pauseState;

    if (state.pauseLatch == 1) {
        if (pause == 0 && state.matchPhase == matchPhase::play) {
            state.pauseFrames = 0;
            pause = 1;
        } else if (pause == 2) {
            pause = 0;
            state.matchPhase = matchPhase::play;
        }
    }

    if (state.restartLatch == 1 && pause == 2) {
        pause = 0;
        state.pauseFrames = 0;
        state.matchPhase = matchPhase::title;
    }

    if (state.enterLatch == 1 && pause == 0) {
        state.matchPhase = matchPhase::play;
        state.goals = 0;
        state.attempts = 0;
    } else if (pause == 1) {
        if (state.pauseFrames < pauseSettleFrames)
            ++state.pauseFrames;
        if (state.pauseFrames >= pauseSettleFrames)
            pause = 2;
    }

    // Pausing or paused, from this frame on.
    if (pause != 0) {
        // A request still waiting is dropped; a pass or shot under way
        // survives the pause.
        if (state.ballInFlight != 1) {
            state.passState = passState::none;
            state.shotState = shotState::none;
        }
        state.upLatch = 0;
        state.downLatch = 0;
        state.rightLatch = 0;
        state.leftLatch = 0;
        state.enterLatch = 0;
    }
}

bool matchInPlay(const GameState& state)
{
    return state.matchPhase == matchPhase::play && state.pauseState == pauseState::running;
}

void endOfFrameClearing(GameState& state)
{
    state.upLatch = 0;
    state.downLatch = 0;
    state.rightLatch = 0;
    state.leftLatch = 0;
    state.enterLatch = 0;
    state.pauseLatch = 0;
    state.restartLatch = 0;
    if (state.ballHolder == ballHolder::nobody) {
        state.passState = passState::none;
        state.shotState = shotState::none;
    }
}
