#include "sim/opponents.h"

#include "state/game_state.h"
#include "sim/angles.h"
#include "sim/ball_rules.h"
#include "sim/game_float.h"
#include "sim/pitch_lines.h"

namespace {

constexpr float wingDefenderStep = 0.084f;

// The angle says nothing about the sense (atan of a quotient), so the four
// position tests pick it. Each test sees where the one before left the
// defender, so a step that carries it past the ball can be followed by one
// back.
void chase(GameState& state, Defender& d, float step)
{
    const Ball& b = state.ball;
    d.chaseAngle = degreesOf((b.x - d.x) / (b.y - d.y));
    const float a = radiansOf(d.chaseAngle);
    if (b.x > d.x && d.y > b.y) {
        d.y -= gameCos(a) * step;
        d.x -= gameSin(a) * step;
    }
    if (d.x > b.x && d.y > b.y) {
        d.y -= gameCos(a) * step;
        d.x -= gameSin(a) * step;
    }
    if (b.x > d.x && b.y > d.y) {
        d.y += gameCos(a) * step;
        d.x += gameSin(a) * step;
    }
    if (d.x > b.x && b.y > d.y) {
        d.y += gameCos(a) * step;
        d.x += gameSin(a) * step;
    }
    defenderTouch(state, d);
}

// The keeper slides towards the half of the mouth the ball is in, only
// while a shot is under way and the ball is well clear of the player who
// last carried it, and stops once past the mouth's edge.
void slide(GameState& state, const UserPlayer& shooter, int holder, float step)
{
    Keeper& k = state.keeper;
    const Ball& b = state.ball;
    const bool shotComing =
        b.x < shooter.x - 1.8f && state.ballHolder == holder && state.shotState <= shotState::upperFromAbove;
    if (shotComing && k.y > mouthLow(state) && b.y < mouthMiddle(state))
        k.y -= step;
    if (shotComing && k.y < mouthHigh(state) && b.y > mouthMiddle(state))
        k.y += step;
}

}  // namespace

void defendersStep(GameState& state)
{
    const Ball& b = state.ball;
    const bool low = b.z < crossbarHeight;
    if (b.y < splitLine(state) && low)
        chase(state, state.defender1, wingDefenderStep);
    if (b.y >= splitLine(state) && low)
        chase(state, state.defender2, wingDefenderStep);
    if (b.x < nearGoalLine(state) && low)
        chase(state, state.defender3, 0.06f);
}

void keeperStep(GameState& state)
{
    const Ball& b = state.ball;
    if (!(b.z < crossbarHeight))
        return;
    Keeper& k = state.keeper;
    k.ballAngle = degreesOf((b.x - k.x) / (b.y - k.y));
    const float step = gameCos(radiansOf(k.ballAngle)) * 0.06f;
    slide(state, state.player1, 1, step);
    slide(state, state.player2, 2, step);
    keeperHold(state);
}
