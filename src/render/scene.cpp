#include "render/scene.h"

#include <GL/gl.h>

#include <cmath>

#include "state/game_state.h"
#include "render/frame.h"
#include "render/meshes.h"

void drawMesh(GameState& state, const MeshTable& mesh, float originX, float originY, float heading,
              float offsetY, float offsetZ, MeshBatching batching)
{
    const float c = std::cos(heading);
    const float s = std::sin(heading);
    const bool perTriangle = batching == MeshBatching::perTriangle;
    const auto vertex = [&](float lx, float ly, float lz) {
        const WorldPoint p = placeVertex(lx, ly, lz, c, s, originX, originY, offsetY, offsetZ);
        glVertex3f(p.x, p.y, p.z);
    };

    // Every triangle carries its own colour, so a single primitive gives the
    // same fragments as one primitive per triangle without a state change
    // between triangles.
    if (!perTriangle)
        glBegin(GL_TRIANGLES);
    const auto count = static_cast<std::int32_t>(mesh.triangleCount);
    for (state.drawIndex = 0; state.drawIndex < count; ++state.drawIndex) {
        const std::int32_t i = state.drawIndex;
        if (perTriangle) {
            glPushMatrix();
            glColor4f(mesh.r[i], mesh.g[i], mesh.b[i], 1.0f);
            glBegin(GL_TRIANGLES);
        } else {
            glColor4f(mesh.r[i], mesh.g[i], mesh.b[i], 1.0f);
        }
        vertex(mesh.x1[i], mesh.y1[i], mesh.z1[i]);
        vertex(mesh.x2[i], mesh.y2[i], mesh.z2[i]);
        vertex(mesh.x3[i], mesh.y3[i], mesh.z3[i]);
        if (perTriangle) {
            glEnd();
            glPopMatrix();
        }
    }
    if (!perTriangle)
        glEnd();
}

void drawScene(GameState& state, MeshBatching batching)
{
    if (state.matchPhase != matchPhase::play) {
        drawMesh(state, stadiumMesh, 0.0f, 0.0f, headingLeft, -7.0f, -1.0f, batching);
        return;
    }
    // The stadium and the ball have no heading of their own.
    drawMesh(state, stadiumMesh, state.pitch.x, state.pitch.y, headingLeft, -15.0f, 2.0f, batching);
    drawMesh(state, ballMesh, state.ball.x, state.ball.y, headingLeft, 0.0f, state.ball.z + 2.0f, batching);
    for (const UserPlayer* p : {&state.player1, &state.player2})
        drawMesh(state, playerMesh, p->x, p->y, p->heading, 0.0f, 2.0f, batching);
    for (const Defender* d : {&state.defender1, &state.defender2, &state.defender3})
        drawMesh(state, opponentMesh, d->x, d->y, d->heading, 0.0f, 2.0f, batching);
    drawMesh(state, opponentMesh, state.keeper.x, state.keeper.y, state.keeper.heading, 0.0f, 2.0f, batching);
}

void drawScene(GameState& state)
{
    drawScene(state, MeshBatching::oneBatch);
}
