// The four mesh tables: sizes, colours, the figures' faces, the ball's shape,
// and the stadium's grass and lines where the gameplay rules expect them.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "app/game_state.h"
#include "render/meshes.h"
#include "render/scene.h"

namespace {

using Colour = std::array<int, 3>;

const Colour darkGrass{13, 145, 19}, lightGrass{8, 180, 15}, white{255, 255, 255}, netGrey{175, 175, 175};
const Colour boards{157, 31, 180}, stands{13, 2, 196}, standCorner{12, 2, 14};
const Colour towerFront{193, 198, 194}, towerInner{208, 213, 209};

constexpr float grassZ = 0.216f;

// The whole number of 255ths a stored component is; -1 when it is none.
int in255ths(float c)
{
    const long k = std::lround(double(c) * 255.0);
    return k >= 0 && k <= 255 && float(k) / 255.0f == c ? int(k) : -1;
}

Colour colourOf(const MeshTable& m, std::uint32_t i)
{
    return {in255ths(m.r[i]), in255ths(m.g[i]), in255ths(m.b[i])};
}

struct Box {
    float lo[3] = {INFINITY, INFINITY, INFINITY};
    float hi[3] = {-INFINITY, -INFINITY, -INFINITY};
    void add(float x, float y, float z)
    {
        const float p[3] = {x, y, z};
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], p[a]);
            hi[a] = std::max(hi[a], p[a]);
        }
    }
};

// Bounding box of the triangles of `mesh` for which `pick(i)` holds.
template <class Pick>
Box boxOf(const MeshTable& m, Pick pick)
{
    Box box;
    for (std::uint32_t i = 0; i < m.triangleCount; ++i) {
        if (!pick(i))
            continue;
        box.add(m.x1[i], m.y1[i], m.z1[i]);
        box.add(m.x2[i], m.y2[i], m.z2[i]);
        box.add(m.x3[i], m.y3[i], m.z3[i]);
    }
    return box;
}

void expectBox(const Box& box, std::array<float, 6> expected, float tolerance, const char* what)
{
    for (int a = 0; a < 3; ++a) {
        EXPECT_NEAR(box.lo[a], expected[2 * a], tolerance) << what << " axis " << a;
        EXPECT_NEAR(box.hi[a], expected[2 * a + 1], tolerance) << what << " axis " << a;
    }
}

bool flatAtGrass(const MeshTable& m, std::uint32_t i)
{
    return m.z1[i] == grassZ && m.z2[i] == grassZ && m.z3[i] == grassZ;
}

// Colours of the grass-level triangles that cover the local point (x, y).
std::vector<Colour> groundAt(float x, float y)
{
    const MeshTable& m = stadiumMesh;
    std::vector<Colour> found;
    for (std::uint32_t i = 0; i < m.triangleCount; ++i) {
        if (!flatAtGrass(m, i))
            continue;
        const auto side = [&](float ax, float ay, float bx, float by) {
            return (bx - ax) * (y - ay) - (by - ay) * (x - ax);
        };
        const float d1 = side(m.x1[i], m.y1[i], m.x2[i], m.y2[i]);
        const float d2 = side(m.x2[i], m.y2[i], m.x3[i], m.y3[i]);
        const float d3 = side(m.x3[i], m.y3[i], m.x1[i], m.y1[i]);
        if ((d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0))
            found.push_back(colourOf(m, i));
    }
    return found;
}

bool whiteAt(float x, float y)
{
    const std::vector<Colour> c = groundAt(x, y);
    return c.size() == 1 && c[0] == white;
}

// The white stretch of ground crossed by walking from `from` to `to` (local
// x, y), to within a millimetre.
std::pair<std::array<float, 2>, std::array<float, 2>> whiteStretch(std::array<float, 2> from,
                                                                   std::array<float, 2> to)
{
    std::array<float, 2> first{NAN, NAN}, last{NAN, NAN};
    for (int k = 0; k <= 1000; ++k) {
        const float t = float(k) / 1000.0f;
        const std::array<float, 2> p{from[0] + t * (to[0] - from[0]), from[1] + t * (to[1] - from[1])};
        if (whiteAt(p[0], p[1])) {
            if (std::isnan(first[0]))
                first = p;
            last = p;
        }
    }
    return {first, last};
}

}  // namespace

TEST(MeshTablesTest, TriangleCountsAndExtents)
{
    EXPECT_EQ(ballMesh.triangleCount, 960u);
    EXPECT_EQ(playerMesh.triangleCount, 44u);
    EXPECT_EQ(opponentMesh.triangleCount, 44u);
    const auto all = [](std::uint32_t) { return true; };
    expectBox(boxOf(stadiumMesh, all), {-12.572f, 12.572f, -22.270f, 22.290f, -0.216f, 4.867f}, 1e-6f, "stadium");
    expectBox(boxOf(ballMesh, all), {-0.148f, 0.122f, -0.141f, 0.129f, 0.291f, 0.547f}, 6e-4f, "ball");
    for (const MeshTable* figure : {&playerMesh, &opponentMesh})
        expectBox(boxOf(*figure, all), {-0.1947f, 0.1947f, -0.1991f, 0.1991f, 0.2858f, 1.1544f}, 1e-6f, "figure");
}

TEST(MeshTablesTest, EveryColourIsAWholeNumberOf255ths)
{
    for (const MeshTable* m : {&stadiumMesh, &ballMesh, &playerMesh, &opponentMesh})
        for (std::uint32_t i = 0; i < m->triangleCount; ++i)
            for (int c : colourOf(*m, i))
                ASSERT_GE(c, 0) << "triangle " << i;
}

TEST(FigureMeshTest, SameFigureInTwoKitsWithTheListedColourCounts)
{
    std::map<Colour, int> player, opponent;
    std::vector<std::uint32_t> differing;
    for (std::uint32_t i = 0; i < 44; ++i) {
        ++player[colourOf(playerMesh, i)];
        ++opponent[colourOf(opponentMesh, i)];
        const auto corners = [i](const MeshTable& m) {
            return std::array{m.x1[i], m.y1[i], m.z1[i], m.x2[i], m.y2[i], m.z2[i], m.x3[i], m.y3[i], m.z3[i]};
        };
        EXPECT_EQ(corners(playerMesh), corners(opponentMesh)) << "triangle " << i;
        if (colourOf(playerMesh, i) != colourOf(opponentMesh, i))
            differing.push_back(i);
    }
    EXPECT_EQ(player, (std::map<Colour, int>{{{0, 0, 0}, 22}, {{205, 23, 17}, 8}, {{169, 18, 9}, 8},
                                             {{226, 186, 17}, 6}}));
    EXPECT_EQ(opponent, (std::map<Colour, int>{{{0, 0, 0}, 22}, {{24, 148, 214}, 4}, {{19, 117, 169}, 8},
                                               {{205, 23, 17}, 4}, {{226, 186, 17}, 6}}));
    // Only the shirt differs: front, back and sides of the lowest band.
    ASSERT_EQ(differing.size(), 12u);
    for (std::uint32_t i : differing) {
        const float top = std::max({playerMesh.z1[i], playerMesh.z2[i], playerMesh.z3[i]});
        const float bottom = std::min({playerMesh.z1[i], playerMesh.z2[i], playerMesh.z3[i]});
        EXPECT_EQ(top, 0.8672f);
        EXPECT_EQ(bottom, 0.2858f);
    }
}

TEST(FigureMeshTest, RectanglesSplitInTwoHalvesWithTheFaceAtThFront)
{
    const MeshTable& m = playerMesh;
    for (std::uint32_t i = 0; i < 22; ++i) {
        // Triangle i and i + 22 are the two halves of one rectangle: same
        // colour, sharing the diagonal from the first to the third corner.
        const std::uint32_t j = i + 22;
        EXPECT_EQ(colourOf(m, i), colourOf(m, j));
        EXPECT_EQ(std::tie(m.x1[i], m.y1[i], m.z1[i]), std::tie(m.x1[j], m.y1[j], m.z1[j]));
        EXPECT_EQ(std::tie(m.x3[i], m.y3[i], m.z3[i]), std::tie(m.x2[j], m.y2[j], m.z2[j]));

        // The head band: skin wherever it faces +y, black wherever it faces -y.
        const float bottom = std::min({m.z1[i], m.z2[i], m.z3[i]});
        const float meanY = (m.y1[i] + m.y2[i] + m.y3[i] + m.y3[j]) / 4;
        if (bottom == 0.8672f && std::max({m.z1[i], m.z2[i], m.z3[i]}) == 1.0843f) {
            EXPECT_EQ(colourOf(m, i), (meanY > 0 ? Colour{226, 186, 17} : Colour{0, 0, 0})) << "triangle " << i;
        }
    }
}

TEST(BallMeshTest, LatitudeLongitudeEllipsoidInGold)
{
    const MeshTable& m = ballMesh;
    std::set<std::array<float, 3>> points;
    float lowest = INFINITY, highest = -INFINITY;
    for (std::uint32_t i = 0; i < m.triangleCount; ++i) {
        EXPECT_EQ(colourOf(m, i), (Colour{210, 189, 16}));
        for (const auto& p : {std::array{m.x1[i], m.y1[i], m.z1[i]}, std::array{m.x2[i], m.y2[i], m.z2[i]},
                              std::array{m.x3[i], m.y3[i], m.z3[i]}}) {
            points.insert(p);
            const double dx = (p[0] + 0.0129) / 0.1350, dy = (p[1] + 0.0061) / 0.1350, dz = (p[2] - 0.4188) / 0.1279;
            EXPECT_NEAR(dx * dx + dy * dy + dz * dz, 1.0, 1e-5);
            lowest = std::min(lowest, p[2]);
            highest = std::max(highest, p[2]);
        }
    }
    EXPECT_EQ(points.size(), 482u) << "15 rings of 32 and the two poles";
    EXPECT_FLOAT_EQ(lowest, 0.2909f);
    EXPECT_FLOAT_EQ(highest, 0.5467f);
}

TEST(StadiumMeshTest, EachPartInItsColourAndPlace)
{
    const MeshTable& m = stadiumMesh;
    std::set<Colour> palette;
    for (std::uint32_t i = 0; i < m.triangleCount; ++i)
        palette.insert(colourOf(m, i));
    EXPECT_EQ(palette, (std::set<Colour>{darkGrass, lightGrass, white, netGrey, boards, stands, standCorner,
                                         towerFront, towerInner}));

    struct Part {
        const char* name;
        Colour colour;
        std::array<float, 6> box;
    };
    const Part parts[] = {
        {"dark grass", darkGrass, {-10.212f, 10.212f, -18.72f, 18.74f, grassZ, grassZ}},
        {"light grass", lightGrass, {-10.212f, 10.212f, -14.9f, 14.9f, grassZ, grassZ}},
        {"net stripes, ribs and bars", netGrey, {-1.574f, 1.574f, -17.86f, 17.86f, grassZ, 1.268f}},
        {"boards", boards, {-10.21f, 10.21f, -18.73f, 18.73f, grassZ, 1.052f}},
        {"stands", stands, {-11.95f, 11.95f, -21.28f, 21.28f, grassZ, 3.359f}},
        {"stand corners", standCorner, {-11.95f, 11.95f, -21.28f, 21.28f, grassZ, 3.359f}},
        {"towers' pitch-facing walls", towerFront, {-12.572f, 12.572f, -18.73f, 18.73f, grassZ, 4.867f}},
        {"towers' inner walls", towerInner, {-10.21f, 10.21f, -22.27f, 22.29f, grassZ, 4.867f}},
    };
    for (const Part& part : parts)
        expectBox(boxOf(m, [&](std::uint32_t i) { return colourOf(m, i) == part.colour; }), part.box, 1e-6f,
                  part.name);
    // Both goals, white and grey together, behind the goal lines.
    for (float end : {1.0f, -1.0f}) {
        const Box goal = boxOf(m, [&](std::uint32_t i) {
            const float y = m.y1[i] * end;
            const bool grey = colourOf(m, i) == netGrey;
            return (grey || (colourOf(m, i) == white && !flatAtGrass(m, i))) && y > 16.7f && y < 17.9f &&
                   std::abs(m.x1[i]) < 2.0f;
        });
        expectBox(goal, {-1.574f, 1.574f, end > 0 ? 16.72f : -17.86f, end > 0 ? 17.86f : -16.72f, grassZ, 1.268f},
                  1e-6f, "goal");
    }
}

TEST(StadiumMeshTest, GrassLevelCoveredExactlyOnceEverywhere)
{
    // A hole would show the shell below, an overlap would flicker.
    for (float x = -10.2f; x < 10.2f; x += 0.0731f)
        for (float y = -18.71f; y < 18.73f; y += 0.0517f)
            ASSERT_EQ(groundAt(x, y).size(), 1u) << "at " << x << ", " << y;
}

TEST(StadiumMeshTest, StripesAndMarkingsWhereThePitchHasThem)
{
    struct Probe {
        float x, y;
        Colour expected;
    };
    const Probe probes[] = {
        {0, 0, darkGrass},       {0, -3.72f, darkGrass},  {0, -3.74f, lightGrass}, {0, 3.74f, darkGrass},
        {0, 3.76f, lightGrass},  {0, 7.46f, lightGrass},  {0, -7.48f, darkGrass},  {0, 11.19f, darkGrass},
        {0, -11.21f, lightGrass}, {5, 14.89f, lightGrass}, {5, -14.91f, darkGrass}, {0, 18.7f, darkGrass},
        {0, 0.1f, white},        {0, 0.0f, darkGrass},    {0, 0.17f, darkGrass},    // halfway line
        {9.5f, 3, white},        {-9.5f, -3, white},      {9.4f, 3, darkGrass},     {9.6f, 3, darkGrass},
        {9.5f, 17.5f, darkGrass},                          // touchlines end at the goal lines
        {5, 16.78f, white},      {-5, -16.78f, white},    {9.5f, 16.78f, white},    {9.6f, 16.78f, darkGrass},
        {2.875f, 15.5f, white},  {-2.875f, -15.5f, white}, {2.7f, 15.5f, darkGrass}, {0, 14.92f, white},
        {0, -14.92f, white},      {0, 15.5f, darkGrass},   {3, 14.95f, darkGrass},   // the boxes
        {0, 12.5f, lightGrass},  {2, 1.5f, darkGrass},                             // no spot, no circle
    };
    for (const Probe& p : probes) {
        const std::vector<Colour> c = groundAt(p.x, p.y);
        ASSERT_EQ(c.size(), 1u) << p.x << ", " << p.y;
        EXPECT_EQ(c[0], p.expected) << "at local " << p.x << ", " << p.y;
    }
}

TEST(StadiumMeshTest, GameplayLimitsLieJustOutsideTheLinesOnceDrawn)
{
    // The kick-off anchor and the placing of the match view.
    const float anchorX = -1.5f, anchorY = 4.0f;
    const float c = std::cos(headingLeft), s = std::sin(headingLeft);
    const auto world = [&](float lx, float ly, float lz = grassZ) {
        return placeVertex(lx, ly, lz, c, s, anchorX, anchorY, -15.0f, 2.0f);
    };

    // Goal lines: a ball past the drawn line is past the rule's line too,
    // within a few centimetres.
    for (float end : {1.0f, -1.0f}) {
        const auto [inner, outer] = whiteStretch({0, end * 16.5f}, {0, end * 17.0f});
        EXPECT_NEAR(std::abs(inner[1]), 16.72f, 1.5e-3f);
        EXPECT_NEAR(std::abs(outer[1]), 16.84f, 1.5e-3f);
        const float edge = world(0, outer[1]).x;
        const float rule = end > 0 ? anchorX - 16.9f : anchorX + 16.9f;
        EXPECT_GT(std::abs(rule - anchorX), std::abs(edge - anchorX));
        EXPECT_LT(std::abs(rule - edge), 0.1f);
    }
    // Touchlines and the out lines of the rules.
    for (float side : {1.0f, -1.0f}) {
        const auto [inner, outer] = whiteStretch({side * 9.0f, 5}, {side * 10.0f, 5});
        EXPECT_NEAR(std::abs(inner[0]), 9.43f, 1.5e-3f);
        EXPECT_NEAR(std::abs(outer[0]), 9.56f, 1.5e-3f);
        const float edge = world(outer[0], 5).y;
        const float rule = side > 0 ? anchorY - 5.2f : anchorY - 24.7f;
        EXPECT_GT(side * (rule - edge), 0.0f);
        EXPECT_LT(std::abs(rule - edge), 0.3f);
    }
    // The mouth of the rules lies between the posts, and a ball below the
    // bar height passes under the crossbar.
    const MeshTable& m = stadiumMesh;
    const auto onLine = [](float y) { return std::abs(y) >= 16.72f && std::abs(y) <= 16.84f; };
    float innerPost = INFINITY;
    const Box posts = boxOf(m, [&](std::uint32_t i) {
        const bool post = !flatAtGrass(m, i) && onLine(m.y1[i]) && onLine(m.y2[i]) && onLine(m.y3[i]) &&
                          std::min({m.z1[i], m.z2[i], m.z3[i]}) == grassZ && std::abs(m.x1[i]) < 2.0f;
        if (post)
            innerPost = std::min({innerPost, std::abs(m.x1[i]), std::abs(m.x2[i]), std::abs(m.x3[i])});
        return post;
    });
    EXPECT_FLOAT_EQ(innerPost, 1.452f);
    EXPECT_FLOAT_EQ(posts.hi[0], 1.574f);
    const float lowPost = world(-innerPost, 16.8f).y, highPost = world(innerPost, 16.8f).y;
    EXPECT_LT(lowPost, anchorY - 16.3f);
    EXPECT_GT(highPost, anchorY - 13.8f);
    const float ballBottom = 0.2909f + 2.0f;  // ball z 0 on the drawn pitch
    EXPECT_LT(ballBottom + 0.8f, world(0, 16.8f, 1.185f).z);
}
