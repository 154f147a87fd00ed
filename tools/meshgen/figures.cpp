// The two figure meshes (one box figure, coloured per team) and the ball.

#include <cmath>
#include <numbers>

#include "mesh_builder.h"

namespace {

constexpr Colour black{0, 0, 0};
constexpr Colour skin{226, 186, 17};
constexpr Colour red{205, 23, 17};

struct Rectangle {
    Point a, b, c, d;
    Colour colour;
};

}  // namespace

MeshBuilder buildFigure(bool opponent)
{
    const Colour shirt = opponent ? Colour{24, 148, 214} : red;
    const Colour shirtSide = opponent ? Colour{19, 117, 169} : Colour{169, 18, 9};

    constexpr double x = 0.1947, y = 0.1991;
    constexpr double bottom = 0.2858, top = 1.1544;
    struct Band {
        double low, high;
        Colour front, back, sideFront, sideBack;
    };
    const Band bands[] = {
        {bottom, 0.8672, shirt, shirt, shirtSide, shirtSide},  // body
        {0.8672, 1.0843, skin, black, skin, black},            // head: the face marks the front
        {1.0843, top, black, black, black, black},             // hair
    };

    std::vector<Rectangle> rectangles;
    for (const Band& band : bands) {
        const double lo = band.low, hi = band.high;
        rectangles.push_back({{-x, y, lo}, {x, y, lo}, {x, y, hi}, {-x, y, hi}, band.front});
        rectangles.push_back({{x, -y, lo}, {-x, -y, lo}, {-x, -y, hi}, {x, -y, hi}, band.back});
        rectangles.push_back({{x, 0, lo}, {x, y, lo}, {x, y, hi}, {x, 0, hi}, band.sideFront});
        rectangles.push_back({{x, -y, lo}, {x, 0, lo}, {x, 0, hi}, {x, -y, hi}, band.sideBack});
        rectangles.push_back({{-x, y, lo}, {-x, 0, lo}, {-x, 0, hi}, {-x, y, hi}, band.sideFront});
        rectangles.push_back({{-x, 0, lo}, {-x, -y, lo}, {-x, -y, hi}, {-x, 0, hi}, band.sideBack});
    }
    rectangles.push_back({{-x, 0, top}, {x, 0, top}, {x, y, top}, {-x, y, top}, black});
    rectangles.push_back({{-x, -y, top}, {x, -y, top}, {x, 0, top}, {-x, 0, top}, black});
    rectangles.push_back({{-x, 0, bottom}, {x, 0, bottom}, {x, y, bottom}, {-x, y, bottom}, red});
    rectangles.push_back({{-x, -y, bottom}, {x, -y, bottom}, {x, 0, bottom}, {-x, 0, bottom}, red});

    // All first triangles, then all second triangles, in rectangle order.
    MeshBuilder mesh{opponent ? "opponentMesh" : "playerMesh", {}};
    for (const Rectangle& r : rectangles)
        mesh.triangle(r.a, r.b, r.c, r.colour);
    for (const Rectangle& r : rectangles)
        mesh.triangle(r.a, r.c, r.d, r.colour);
    return mesh;
}

MeshBuilder buildBall()
{
    constexpr Point centre{-0.0129, -0.0061, 0.4188};
    constexpr double radius = 0.1350, height = 0.1279;
    constexpr int segments = 32, stacks = 16;
    constexpr Colour gold{210, 189, 16};

    // Ring j (1..15) at latitude -90 + 11.25 j degrees; the poles are exact.
    const auto at = [&](int j, int k) -> Point {
        if (j == 0)
            return {centre.x, centre.y, centre.z - height};
        if (j == stacks)
            return {centre.x, centre.y, centre.z + height};
        const double latitude = std::numbers::pi * (double(j) / stacks - 0.5);
        const double longitude = 2 * std::numbers::pi * double(k % segments) / segments;
        return {centre.x + radius * std::cos(latitude) * std::cos(longitude),
                centre.y + radius * std::cos(latitude) * std::sin(longitude),
                centre.z + height * std::sin(latitude)};
    };

    MeshBuilder mesh{"ballMesh", {}};
    for (int j = 0; j < stacks; ++j) {
        for (int k = 0; k < segments; ++k) {
            if (j == 0) {
                mesh.triangle(at(0, 0), at(1, k), at(1, k + 1), gold);
            } else if (j == stacks - 1) {
                mesh.triangle(at(j, k), at(j, k + 1), at(stacks, 0), gold);
            } else {
                mesh.quad(at(j, k), at(j, k + 1), at(j + 1, k + 1), at(j + 1, k), gold);
            }
        }
    }
    return mesh;
}
