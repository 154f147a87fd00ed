#pragma once
// What the generator builds a mesh from: flat-coloured triangles in double
// precision, rounded to 32-bit floats only when the table is written, so
// corners shared by neighbouring pieces round to the same float.

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct Colour {
    int r, g, b;  // 0..255
    bool operator==(const Colour&) const = default;
};

struct Point {
    double x, y, z;
};

struct Triangle {
    Point a, b, c;
    Colour colour;
};

struct MeshBuilder {
    std::string name;
    std::vector<Triangle> triangles;

    void triangle(Point a, Point b, Point c, Colour colour) { triangles.push_back({a, b, c, colour}); }

    // Split along a-c: (a, b, c) then (a, c, d).
    void quad(Point a, Point b, Point c, Point d, Colour colour)
    {
        triangle(a, b, c, colour);
        triangle(a, c, d, colour);
    }
};

// Where a tile's corner lies for surface parameters (u, v).
using SurfacePoint = std::function<Point(double u, double v)>;
// The colour of the piece around (u, v), or nothing to leave a hole.
using PieceColour = std::function<std::optional<Colour>(double u, double v)>;

// Tiles a surface on the full grid us x vs. Every piece shares its corners
// with its neighbours, so no corner of one piece lies on another's edge and
// the rasteriser leaves no cracks between them.
void tile(MeshBuilder& mesh, const SurfacePoint& at, const std::vector<double>& us,
          const std::vector<double>& vs, const PieceColour& colourOf);

// The axis-aligned box spanned by the first and last value of each break
// list, each face tiled on the breaks of its two axes so the faces meet
// corner to corner. colourOf gets the face's axis (0 x, 1 y, 2 z), its side
// (-1 or +1) and the middle of the piece.
using BoxColour = std::function<Colour(int axis, int side, Point middle)>;
void box(MeshBuilder& mesh, const std::vector<double>& xs, const std::vector<double>& ys,
         const std::vector<double>& zs, const BoxColour& colourOf, bool withBottom);

MeshBuilder buildStadium();
MeshBuilder buildBall();
MeshBuilder buildFigure(bool opponent);
