#include "sim/kickoff.h"

#include "state/game_state.h"

namespace {

void place(Defender& d, float x, float y)
{
    d.x = x;
    d.y = y;
    d.heading = headingRight;
    d.chaseAngle = 0.0f;
}

}  // namespace

void kickoffReset(GameState& s)
{
    s.ball = {4.0f, -11.0f, 0.0f};
    s.pitch = {-1.5f, 4.0f};
    s.player1 = {8.0f, -11.0f, headingLeft};
    s.player2 = {8.0f, -4.0f, headingLeft};
    place(s.defender1, -8.0f, -12.0f);
    place(s.defender2, -7.0f, -6.0f);
    place(s.defender3, -13.0f, -14.0f);
    s.keeper = {-17.3f, -11.0f, headingRight, 0.0f};

    s.passAngle = 0.0f;
    s.shotAngleUpper = 0.0f;
    s.shotAngleLower = 0.0f;
    s.dribbleMark = dribbleMark::kickOff;
    s.passDirection = passDirection::toPlayer2;
    s.shotState = shotState::none;
    s.ballHolder = ballHolder::nobody;
    s.dribbleFacing = 270.0f;
    s.dribbler = dribbler::nobody;
    s.controlledPlayer = controlledPlayer::player1;
    s.passState = passState::taken;
    s.resetRequest = resetRequest::restored;
}
