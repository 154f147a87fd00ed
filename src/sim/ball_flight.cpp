#include "sim/ball_flight.h"

#include "state/game_state.h"
#include "sim/angles.h"
#include "sim/game_float.h"
#include "sim/pitch_lines.h"

namespace {

constexpr float passSpeed = 0.2f;

// An angle from atan(dx / dy) points along (dx, dy) only when dy > 0, so
// callers pick the sense from where things stand: a negative distance steps
// back along the angle. y moves before x.
void stepAlong(Ball& b, float degrees, float distance)
{
    const float a = radiansOf(degrees);
    b.y += gameCos(a) * distance;
    b.x += gameSin(a) * distance;
}

}  // namespace

void shotStep(GameState& s)
{
    if (s.shotState == shotState::requested && s.ballHolder != ballHolder::nobody) {
        const int r = s.shotRandom.draw() % 2;
        s.shotState = r;
        s.controlledPlayer = controlledPlayer::nobody;
        s.ballInFlight = 1;
        if (r == 0)
            s.shotState = s.ball.y > upperTargetY(s) ? shotState::upperFromAbove : shotState::upperFromBelow;
        else
            s.shotState = s.ball.y > lowerTargetY(s) ? shotState::lowerFromAbove : shotState::lowerFromBelow;
    }

    // A shot that began above its target steps back along the angle.
    if (s.shotState <= shotState::upperFromAbove && s.shotState >= shotState::lowerFromBelow) {
        const float angle = s.shotState >= shotState::upperFromBelow ? s.shotAngleUpper : s.shotAngleLower;
        const bool beganAbove = s.shotState == shotState::upperFromAbove || s.shotState == shotState::lowerFromAbove;
        stepAlong(s.ball, angle, beganAbove ? -0.4f : 0.4f);
        s.ball.z += 0.02f;
        s.controlledPlayer = controlledPlayer::nobody;
    }
}

void passStep(GameState& s)
{
    if (s.passState != passState::requested || s.ballHolder == ballHolder::nobody)
        return;
    if (s.passDirection == passDirection::toPlayer2 && s.controlledPlayer == controlledPlayer::player1) {
        s.controlledPlayer = controlledPlayer::player2;
        s.ballInFlight = 1;
    } else if (s.passDirection == passDirection::toPlayer1 && s.controlledPlayer == controlledPlayer::player2) {
        s.controlledPlayer = controlledPlayer::player1;
        s.ballInFlight = 1;
    }

    // The sense comes from where the players stand now, the angle from where
    // they stood at the last touch. Level players can match two rows (the
    // ball then steps there and back) or none (it waits for the receiver).
    const UserPlayer& p1 = s.player1;
    const UserPlayer& p2 = s.player2;
    const bool p2RightBelow = p2.x > p1.x && p1.y > p2.y;
    const bool p2NotRightNotAbove = p1.x >= p2.x && p1.y >= p2.y;
    const bool p2RightAbove = p2.x > p1.x && p2.y > p1.y;
    const bool p2NotRightNotBelow = p1.x >= p2.x && p2.y >= p1.y;
    const float angle = s.passAngle;
    if (s.passDirection == passDirection::toPlayer2) {
        if (p2RightBelow)
            stepAlong(s.ball, angle, -passSpeed);
        if (p2NotRightNotAbove)
            stepAlong(s.ball, angle, -passSpeed);
        if (p2RightAbove)
            stepAlong(s.ball, angle, passSpeed);
        if (p2NotRightNotBelow)
            stepAlong(s.ball, angle, passSpeed);
    }
    if (s.passDirection == passDirection::toPlayer1) {
        if (p2RightAbove)
            stepAlong(s.ball, angle, -passSpeed);
        if (p2NotRightNotBelow)
            stepAlong(s.ball, angle, -passSpeed);
        if (p2RightBelow)
            stepAlong(s.ball, angle, passSpeed);
        if (p2NotRightNotAbove)
            stepAlong(s.ball, angle, passSpeed);
    }
}
