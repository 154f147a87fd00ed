#pragma once
// The four static meshes of the scene, column-wise: triangle i is
// (x1, y1, z1)[i], (x2, y2, z2)[i], (x3, y3, z3)[i] in mesh-local world units
// (z up, +y the front of a figure), flat-coloured (r, g, b)[i], each
// component a whole number of 255ths. The tables are generated at build time
// by tools/meshgen and never change.

#include <cstdint>

struct MeshTable {
    std::uint32_t triangleCount;
    const float *x1, *y1, *z1;
    const float *x2, *y2, *z2;
    const float *x3, *y3, *z3;
    const float *r, *g, *b;
};

// Pitch, markings, goals, boards, stands, corner towers and the shell around
// them; the pitch runs along local y with its grass at z 0.216.
extern const MeshTable stadiumMesh;
// A golden latitude-longitude ellipsoid, 32 segments by 16 stacks.
extern const MeshTable ballMesh;
// The box figure in red, and the same figure in blue for the opponents.
extern const MeshTable playerMesh;
extern const MeshTable opponentMesh;
