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
    if (s.shotState == 2 && s.ballHolder > 0) {
        const int r = s.shotRandom.draw() % 2;
        s.shotState = r;
        s.controlledPlayer = 333;
        s.ballInFlight = 1;
        if (r == 0)
            s.shotState = s.ball.y > upperTargetY(s) ? -1 : -2;
        else
            s.shotState = s.ball.y > lowerTargetY(s) ? -3 : -4;
    }

    // -1 and -2 aim at the upper target, -3 and -4 at the lower; the odd
    // values began above their target and so step back along the angle.
    if (s.shotState < 0 && s.shotState >= -4) {
        const float angle = s.shotState >= -2 ? s.shotAngleUpper : s.shotAngleLower;
        const bool beganAbove = s.shotState == -1 || s.shotState == -3;
        stepAlong(s.ball, angle, beganAbove ? -0.4f : 0.4f);
        s.ball.z += 0.02f;
        s.controlledPlayer = 333;
    }
}

void passStep(GameState& s)
{
    if (s.passState != 2 || s.ballHolder <= 0)
        return;
    if (s.passDirection == 2 && s.controlledPlayer == 1) {
        s.controlledPlayer = 2;
        s.ballInFlight = 1;
    } else if (s.passDirection == 3 && s.controlledPlayer == 2) {
        s.controlledPlayer = 1;
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
    if (s.passDirection == 2) {
        if (p2RightBelow)
            stepAlong(s.ball, angle, -passSpeed);
        if (p2NotRightNotAbove)
            stepAlong(s.ball, angle, -passSpeed);
        if (p2RightAbove)
            stepAlong(s.ball, angle, passSpeed);
        if (p2NotRightNotBelow)
            stepAlong(s.ball, angle, passSpeed);
    }
    if (s.passDirection == 3) {
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
