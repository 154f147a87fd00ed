#pragma once
// Scene drawing: meshes placed and turned into world coordinates under the
// fixed camera.

struct GameState;
struct MeshTable;

// Where a mesh-local point lands once its mesh is turned by `heading` (given
// as its cosine c and sine s) and moved: local +x goes to (c, s), local +y to
// (-s, c), heights are raised by offsetZ. The order of the float operations
// is the drawing's own.
struct WorldPoint {
    float x, y, z;
};
inline WorldPoint placeVertex(float lx, float ly, float lz, float c, float s, float originX, float originY,
                              float offsetY, float offsetZ)
{
    return {lx * c - ly * s + originX, lx * s + ly * c + originY + offsetY, lz + offsetZ};
}

// How drawMesh hands its triangles to OpenGL. One primitive for the whole
// mesh is what the game uses; one primitive per triangle, each inside its own
// matrix push and pop, is the plain form it must match pixel for pixel.
enum class MeshBatching { oneBatch, perTriangle };

// Draws every triangle of `mesh` turned by `heading` (radians) and moved to
// (originX, originY + offsetY), offsetZ added to every height. drawIndex
// counts the triangles.
void drawMesh(GameState& state, const MeshTable& mesh, float originX, float originY, float heading,
              float offsetY, float offsetZ, MeshBatching batching = MeshBatching::oneBatch);

// The match view (stadium at the anchor, ball, the six figures) or the title
// view (the stadium alone, further off and lower). Reads the positions
// only: the title view's placing of player1 and the anchor is the frame
// routine's.
void drawScene(GameState& state, MeshBatching batching);
