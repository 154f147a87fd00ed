#include "sim/players.h"

#include "state/game_state.h"
#include "sim/angles.h"
#include "sim/pitch_lines.h"

namespace {

// dribbleFacing, in degrees: the way the ball was last carried.
constexpr float facingUp = 0.0f;
constexpr float facingLeft = 90.0f;
constexpr float facingDown = 180.0f;
constexpr float facingRight = 270.0f;

// How far ahead of its carrier the ball is put.
constexpr float carryDistance = 0.6f;

bool anyArrow(const GameState& s)
{
    return s.upLatch == 1 || s.downLatch == 1 || s.leftLatch == 1 || s.rightLatch == 1;
}

bool touches(const UserPlayer& p, const Ball& b)
{
    return ballWithin(b, p.x, p.y, 1.0f, 1.0f);
}

void putBall(GameState& s, float x, float y, float facing)
{
    s.ball.x = x;
    s.ball.y = y;
    s.dribbleFacing = facing;
}

// The pass angle is always taken from player2 to player1, whoever touches.
void takeAngles(GameState& s)
{
    const UserPlayer& p1 = s.player1;
    const UserPlayer& p2 = s.player2;
    s.passAngle = degreesOf((p1.x - p2.x) / (p1.y - p2.y));
    s.shotAngleUpper = degreesOf((goalLine(s) - s.ball.x) / (upperTargetY(s) - s.ball.y));
    s.shotAngleLower = degreesOf((goalLine(s) - s.ball.x) / (lowerTargetY(s) - s.ball.y));
}

void receive(GameState& s, const UserPlayer& p, int nextDirection)
{
    putBall(s, p.x - carryDistance, p.y, facingLeft);
    s.passState = passState::taken;
    s.passDirection = nextDirection;
}

void markMoveWithBall(GameState& s, int player)
{
    if (anyArrow(s)) {
        s.dribbleMark = dribbleMark::moved;
        s.dribbler = player;
        s.ballHolder = player;
    }
}

void carry(GameState& s, const UserPlayer& p)
{
    if (s.leftLatch == 1)
        putBall(s, p.x - carryDistance, p.y, facingLeft);
    if (s.rightLatch == 1)
        putBall(s, p.x + carryDistance, p.y, facingRight);
    if (s.upLatch == 1)
        putBall(s, p.x, p.y + carryDistance, facingUp);
    if (s.downLatch == 1)
        putBall(s, p.x, p.y - carryDistance, facingDown);
}

}  // namespace

void moveControlledPlayer(GameState& s)
{
    UserPlayer* p = s.controlledPlayer == controlledPlayer::player1 ? &s.player1
                    : s.controlledPlayer == controlledPlayer::player2 ? &s.player2
                                              : nullptr;
    if (p == nullptr)
        return;
    if (s.upLatch == 1) {
        p->y += 0.1f;
        p->heading = headingUp;
    }
    if (s.downLatch == 1) {
        p->y -= 0.1f;
        p->heading = headingDown;
    }
    if (s.leftLatch == 1) {
        p->x -= 0.1f;
        p->heading = headingLeft;
    }
    if (s.rightLatch == 1) {
        p->x += 0.1f;
        p->heading = headingRight;
    }
}

// The two players take their steps in different orders: player1 receives
// before it takes the angles, player2 after, on the ball as it arrived.
void touchTests(GameState& s)
{
    if (s.controlledPlayer == controlledPlayer::player1 && touches(s.player1, s.ball)) {
        if (s.passDirection == passDirection::toPlayer1)
            receive(s, s.player1, 2);
        markMoveWithBall(s, 1);
        takeAngles(s);
        s.ballInFlight = 0;
        carry(s, s.player1);
    }
    if (s.controlledPlayer == controlledPlayer::player2 && touches(s.player2, s.ball)) {
        takeAngles(s);
        s.ballInFlight = 0;
        if (s.passDirection == passDirection::toPlayer2)
            receive(s, s.player2, 3);
        markMoveWithBall(s, 2);
        carry(s, s.player2);
    }
}

void worldScroll(GameState& s)
{
    if (s.dribbleMark != dribbleMark::moved || (s.dribbler != dribbler::player1 && s.dribbler != dribbler::player2))
        return;
    UserPlayer& other = s.dribbler == dribbler::player1 ? s.player2 : s.player1;
    float* const xs[] = {&s.pitch.x, &other.x, &s.defender1.x, &s.defender2.x, &s.defender3.x,
                         &s.keeper.x};
    float* const ys[] = {&s.pitch.y, &other.y, &s.defender1.y, &s.defender2.y, &s.defender3.y,
                         &s.keeper.y};
    // Only the moving axis is touched: adding a zero would turn a -0 into +0.
    const float f = s.dribbleFacing;
    if (f <= 4.0f)
        for (float* y : ys)
            *y -= 0.07f;
    if (176.0f <= f && f <= 184.0f)
        for (float* y : ys)
            *y += 0.07f;
    if (4.0f < f && f < 176.0f)
        for (float* x : xs)
            *x += 0.03f;
    if (184.0f < f && f < 356.0f)
        for (float* x : xs)
            *x -= 0.03f;
}
