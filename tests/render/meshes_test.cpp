// The stadium's mesh: grass and lines where the gameplay rules expect them
// once the mesh is placed.

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "state/game_state.h"
#include "render/meshes.h"
#include "render/scene.h"

namespace {

using Colour = std::array<int, 3>;
using Corners = std::array<float, 9>;
const Colour darkGrass{13, 145, 19}, lightGrass{8, 180, 15}, white{255, 255, 255};
constexpr float grassZ = 0.216f;

// A stored component as a whole number of 255ths, -1 when it is none.
int in255ths(float c)
{
    const long k = std::lround(double(c) * 255.0);
    return k >= 0 && k <= 255 && float(k) / 255.0f == c ? int(k) : -1;
}

Colour colourOf(const MeshTable& m, std::uint32_t i)
{
    return {in255ths(m.r[i]), in255ths(m.g[i]), in255ths(m.b[i])};
}

Corners cornersOf(const MeshTable& m, std::uint32_t i)
{
    return {m.x1[i], m.y1[i], m.z1[i], m.x2[i], m.y2[i], m.z2[i], m.x3[i], m.y3[i], m.z3[i]};
}

// Colours of the grass-level triangles of the stadium over local (x, y).
std::vector<Colour> groundAt(float x, float y)
{
    const MeshTable& m = stadiumMesh;
    std::vector<Colour> found;
    for (std::uint32_t i = 0; i < m.triangleCount; ++i) {
        const Corners c = cornersOf(m, i);
        if (c[2] != grassZ || c[5] != grassZ || c[8] != grassZ)
            continue;
        const auto side = [&](int a, int b) {
            return (c[b] - c[a]) * (y - c[a + 1]) - (c[b + 1] - c[a + 1]) * (x - c[a]);
        };
        const float d1 = side(0, 3), d2 = side(3, 6), d3 = side(6, 0);
        if ((d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0))
            found.push_back(colourOf(m, i));
    }
    return found;
}

// First and last white point met walking from (x0, y0) to (x1, y1), to a
// millimetre.
std::array<float, 4> whiteStretch(float x0, float y0, float x1, float y1)
{
    std::array<float, 4> s{NAN, NAN, NAN, NAN};
    for (int k = 0; k <= 1000; ++k) {
        const float x = x0 + (x1 - x0) * float(k) / 1000, y = y0 + (y1 - y0) * float(k) / 1000;
        if (groundAt(x, y) == std::vector{white}) {
            if (std::isnan(s[0]))
                s[0] = x, s[1] = y;
            s[2] = x, s[3] = y;
        }
    }
    return s;
}

}  // namespace

TEST(MeshTablesTest, GrassCoveredOnceWithItsStripesAndMarkings)
{
    // A hole would show the shell below, an overlap would flicker.
    for (float x = -10.2f; x < 10.2f; x += 0.0731f)
        for (float y = -18.71f; y < 18.73f; y += 0.0517f)
            ASSERT_EQ(groundAt(x, y).size(), 1u) << "at " << x << ", " << y;
    // Stripes either side of their edges; the halfway line, a box line, and
    // no spot or circle.
    const std::pair<std::array<float, 2>, Colour> probes[] = {
        {{0, -3.72f}, darkGrass},  {{0, 3.74f}, darkGrass}, {{0, -3.74f}, lightGrass}, {{0, 7.46f}, lightGrass},
        {{0, -7.48f}, darkGrass},  {{0, 11.21f}, lightGrass}, {{5, -14.91f}, darkGrass}, {{0, 0.1f}, white},
        {{2.875f, -15.5f}, white}, {{0, 12.5f}, lightGrass}, {{2, 1.5f}, darkGrass},
    };
    for (const auto& [at, colour] : probes)
        EXPECT_EQ(groundAt(at[0], at[1]), std::vector{colour}) << "at " << at[0] << ", " << at[1];
}

TEST(MeshTablesTest, GameplayLimitsLieJustOutsideTheDrawnLines)
{
    // The kick-off anchor and the match view's placing of the stadium.
    const float ax = -1.5f, ay = 4.0f, c = std::cos(headingLeft), s = std::sin(headingLeft);
    const auto world = [&](float lx, float ly, float lz) {
        return placeVertex(lx, ly, lz, c, s, ax, ay, -15.0f, 2.0f);
    };
    for (float end : {1.0f, -1.0f}) {
        // Goal lines: past the drawn line is past the rule's line, within 0.1.
        const auto line = whiteStretch(0, end * 16.5f, 0, end * 17.0f);
        EXPECT_NEAR(line[1], end * 16.72f, 1.5e-3f);
        EXPECT_NEAR(line[3], end * 16.84f, 1.5e-3f);
        const float drawn = world(0, line[3], grassZ).x - ax, rule = -end * 16.9f;
        EXPECT_GT(std::abs(rule), std::abs(drawn));
        EXPECT_LT(std::abs(rule - drawn), 0.1f);
        // Touchlines: the out lines lie within 0.3 beyond them.
        const auto touch = whiteStretch(end * 9.0f, 5, end * 10.0f, 5);
        EXPECT_NEAR(touch[0], end * 9.43f, 1.5e-3f);
        EXPECT_NEAR(touch[2], end * 9.56f, 1.5e-3f);
        const float edge = world(touch[2], 5, grassZ).y, out = ay - (end > 0 ? 5.2f : 24.7f);
        EXPECT_GT(end * (out - edge), 0.0f);
        EXPECT_LT(std::abs(out - edge), 0.3f);
    }
    // The posts stand outside the rules' mouth, the bar above their bar height.
    float post = INFINITY;
    for (std::uint32_t i = 0; i < stadiumMesh.triangleCount; ++i) {
        const Corners k = cornersOf(stadiumMesh, i);
        const auto onLine = [](float y) { return std::abs(y) >= 16.72f && std::abs(y) <= 16.84f; };
        if (onLine(k[1]) && onLine(k[4]) && onLine(k[7]) && std::abs(k[0]) < 2 &&
            std::min({k[2], k[5], k[8]}) == grassZ && std::max({k[2], k[5], k[8]}) > grassZ)
            post = std::min({post, std::abs(k[0]), std::abs(k[3]), std::abs(k[6])});
    }
    EXPECT_FLOAT_EQ(post, 1.452f);
    EXPECT_LT(world(-post, 16.8f, grassZ).y, ay - 16.3f);
    EXPECT_GT(world(post, 16.8f, grassZ).y, ay - 13.8f);
    EXPECT_LT(0.2909f + 2.0f + 0.8f, world(0, 16.8f, 1.185f).z) << "a ball under the bar height passes under it";
}
