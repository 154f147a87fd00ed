#include "sim/ball_rules.h"

#include <cmath>

#include "state/game_state.h"
#include "sim/pitch_lines.h"

void loseAttempt(GameState& state)
{
    ++state.attempts;
    state.resetRequest = resetRequest::restore;
}

namespace {

void scoreGoal(GameState& state)
{
    ++state.goals;
    state.resetRequest = resetRequest::restore;
}

// A ball into the goal behind the user's own start takes a goal back, but
// the count never goes below zero.
void removeGoal(GameState& state)
{
    if (state.goals > 0)
        --state.goals;
    state.resetRequest = resetRequest::restore;
}

}  // namespace

void lineRules(GameState& state)
{
    const float x = state.ball.x, y = state.ball.y, z = state.ball.z;
    const float farOut = farOutLine(state), nearOut = nearOutLine(state);
    const float goal = goalLine(state), right = rightSideLine(state);
    const float low = mouthLow(state), high = mouthHigh(state);

    if (y > farOut)
        loseAttempt(state);
    if (y < nearOut)
        loseAttempt(state);
    if (x < goal && high < y && y < farOut)
        loseAttempt(state);
    if (x < goal && nearOut < y && y < low)
        loseAttempt(state);
    if (x > right && high < y && y < farOut)
        loseAttempt(state);
    if (x > right && nearOut < y && y < low)
        loseAttempt(state);
    if (x < goal && low < y && y < high && z < crossbarHeight)
        scoreGoal(state);
    if (x > right && low < y && y < high && z < crossbarHeight)
        removeGoal(state);
    if (x < goal && z > crossbarHeight)
        loseAttempt(state);
    if (x > right && z > crossbarHeight)
        loseAttempt(state);
    // No comparison holds for a not-a-number ball, which would otherwise stay
    // in play for ever.
    if (std::isnan(x) || std::isnan(y) || std::isnan(z))
        loseAttempt(state);
}

void defenderTouch(GameState& state, const Defender& d)
{
    if (ballWithin(state.ball, d.x, d.y, 1.0f, 1.0f) && state.ball.z < crossbarHeight)
        loseAttempt(state);
}

void keeperHold(GameState& state)
{
    const Keeper& k = state.keeper;
    if (!(ballWithin(state.ball, k.x, k.y, 1.0f, 0.5f) && state.ball.z < crossbarHeight))
        return;
    // While paused the reset waits, so the same hold is found again in every
    // paused frame: it costs one attempt, not one per frame of the pause.
    if (state.pauseState == pauseState::running || state.resetRequest != resetRequest::restore)
        loseAttempt(state);
}
