#include "sim/simulation.h"

#include "state/game_state.h"
#include "sim/ball_flight.h"
#include "sim/ball_rules.h"
#include "sim/kickoff.h"
#include "sim/opponents.h"
#include "sim/players.h"

// The order is part of the rules: each sub-step sees the positions the one
// before it left, and a rule that ends the attempt does not stop the frame.
void simulationStep(GameState& state)
{
    if (state.resetRequest == resetRequest::restore)
        kickoffReset(state);
    lineRules(state);
    defendersStep(state);
    moveControlledPlayer(state);
    shotStep(state);
    passStep(state);
    touchTests(state);
    worldScroll(state);
    state.dribbler = dribbler::nobody;
    state.dribbleMark = dribbleMark::still;
}
