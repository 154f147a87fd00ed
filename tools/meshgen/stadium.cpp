// The stadium: striped grass with the markings let into it, two box goals
// with striped nets, boards, stands, corner towers and the white shell
// around it all. Local y runs along the pitch; the +y end reaches 0.02
// further than the -y end.

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "mesh_builder.h"

namespace {

constexpr Colour darkGrass{13, 145, 19};
constexpr Colour lightGrass{8, 180, 15};
constexpr Colour white{255, 255, 255};
constexpr Colour netGrey{175, 175, 175};
constexpr Colour boards{157, 31, 180};
constexpr Colour stands{13, 2, 196};
constexpr Colour standCorner{12, 2, 14};
constexpr Colour towerFront{193, 198, 194};
constexpr Colour towerInner{208, 213, 209};

constexpr double grassZ = 0.216;
constexpr double baseZ = -0.216;
constexpr double outerX = 12.572;
constexpr double boardsY = 18.73;
constexpr double boardsTop = 1.052;
constexpr double sideEdgeX = 10.21;    // grass edge where the long stands and towers start
constexpr double endStandX = 9.59;     // end stands, without their corner pieces
constexpr double longStandTopX = 11.95;
constexpr double longStandTop = 2.605;
constexpr double endStandTopY = 21.28;
constexpr double endStandTop = 3.359;
constexpr double towerTop = 4.867;

// The outer end of the stadium on the side `sy`.
double outerY(int sy) { return sy > 0 ? 22.29 : -22.27; }

bool within(double v, double lo, double hi) { return v > lo && v < hi; }

// The thin grey ribs and bars of a net: half as wide on each side of their
// centre line as this.
constexpr double netBarHalf = 0.02;

// Cuts for a panel: the `first` ones, a thin bar around each centre, then
// the `last` ones.
std::vector<double> cutsWithBars(std::vector<double> first, const std::vector<double>& centres,
                                 const std::vector<double>& last)
{
    std::vector<double> cuts = std::move(first);
    for (double centre : centres) {
        cuts.push_back(centre - netBarHalf);
        cuts.push_back(centre + netBarHalf);
    }
    cuts.insert(cuts.end(), last.begin(), last.end());
    return cuts;
}

bool onBar(double v, const std::vector<double>& centres)
{
    for (double centre : centres)
        if (std::abs(v - centre) < netBarHalf)
            return true;
    return false;
}

void grassAndMarkings(MeshBuilder& mesh)
{
    const std::vector<double> xs = {-10.212, -9.56, -9.43, -2.93, -2.82, 2.82, 2.93, 9.43, 9.56, 10.212};
    const std::vector<double> ys = {-18.72, -16.84, -16.72, -14.97, -14.9, -14.86, -11.2, -7.47, -3.73, 0.01,
                                    0.16,   3.75,   7.47,   11.2,   14.86, 14.9,  14.97, 16.72, 16.84, 18.74};
    tile(mesh, [](double x, double y) { return Point{x, y, grassZ}; }, xs, ys,
         [](double x, double y) -> std::optional<Colour> {
             const double ax = std::abs(x), ay = std::abs(y);
             const bool touchline = within(ax, 9.43, 9.56) && ay < 16.84;
             const bool goalLine = within(ay, 16.72, 16.84) && ax < 9.56;
             const bool halfway = within(y, 0.01, 0.16) && ax < 9.43;
             const bool boxSide = within(ax, 2.82, 2.93) && within(ay, 14.86, 16.72);
             const bool boxFront = within(ay, 14.86, 14.97) && ax < 2.93;
             if (touchline || goalLine || halfway || boxSide || boxFront)
                 return white;
             const double centreBand = y > 0 ? 3.75 : 3.73;
             const bool dark = ay < centreBand || within(ay, 7.47, 11.2) || ay > 14.9;
             return dark ? darkGrass : lightGrass;
         });
}

void goal(MeshBuilder& mesh, int sy)
{
    constexpr double post = 1.452, outside = 1.574;
    constexpr double barLow = 1.185, barHigh = 1.268;
    const double line = sy * 16.72, lineOut = sy * 16.84, backIn = sy * 17.8, backOut = sy * 17.86;
    const auto allWhite = [](int, int, Point) { return white; };

    // The net's back: 16 upright stripes, grey and white by turns.
    const std::vector<double> stripes = {-1.452, -1.271, -1.089, -0.908, -0.726, -0.532, -0.363, -0.182, 0,
                                         0.182,  0.363,  0.532,  0.726,  0.908,  1.089,  1.271,  1.452};
    const auto stripeAt = [&](double x) {
        std::size_t i = 0;
        while (i + 2 < stripes.size() && x > stripes[i + 1])
            ++i;
        return i;
    };
    box(mesh, stripes, {backIn, backOut}, {grassZ, barLow},
        [&](int axis, int, Point m) { return axis == 1 && stripeAt(m.x) % 2 == 0 ? netGrey : white; },
        false);

    // The roof, with a thin rib above each grey stripe of the back.
    std::vector<double> ribs;
    for (std::size_t i = 0; i + 1 < stripes.size(); i += 2)
        ribs.push_back((stripes[i] + stripes[i + 1]) / 2);
    box(mesh, cutsWithBars({-outside, -post}, ribs, {post, outside}), {lineOut, backOut}, {barLow, barHigh},
        [&](int axis, int, Point m) { return axis == 2 && onBar(m.x, ribs) ? netGrey : white; }, true);

    // Posts and crossbar frame the mouth.
    box(mesh, {-outside, -post, post, outside}, {line, lineOut}, {barLow, barHigh}, allWhite, true);
    for (int sx : {-1, 1}) {
        box(mesh, {sx * post, sx * outside}, {line, lineOut}, {grassZ, barLow}, allWhite, false);

        // Sides, with four grey bars along both faces.
        const std::vector<double> bars = {0.337, 0.579, 0.822, 1.064};
        box(mesh, {sx * post, sx * outside}, {lineOut, backIn, backOut}, cutsWithBars({grassZ}, bars, {barLow}),
            [&](int axis, int, Point m) { return axis == 0 && onBar(m.z, bars) ? netGrey : white; },
            false);
    }
}

void endOfStadium(MeshBuilder& mesh, int sy)
{
    const double boardY = sy * boardsY;
    const double standTopY = sy * endStandTopY;
    const double outer = outerY(sy);
    const std::vector<double> acrossEnd = {-sideEdgeX, -endStandX, endStandX, sideEdgeX};
    const auto cornerPiece = [](double x) { return std::abs(x) < endStandX ? stands : standCorner; };

    tile(mesh, [&](double x, double z) { return Point{x, boardY, z}; }, acrossEnd, {grassZ, boardsTop},
         [](double, double) { return boards; });

    // The end stand rises from the top of the boards.
    tile(mesh,
         [&](double x, double t) {
             return Point{x, boardY + t * (standTopY - boardY), boardsTop + t * (endStandTop - boardsTop)};
         },
         acrossEnd, {0, 1}, [&](double x, double) { return cornerPiece(x); });
    tile(mesh, [&](double x, double y) { return Point{x, y, endStandTop}; }, acrossEnd, {standTopY, outer},
         [](double, double) { return white; });

    for (int sx : {-1, 1}) {
        const double inner = sx * sideEdgeX, out = sx * outerX;
        tile(mesh, [&](double x, double z) { return Point{x, boardY, z}; }, {inner, out},
             {grassZ, longStandTop, towerTop}, [](double, double) { return towerFront; });
        tile(mesh, [&](double y, double z) { return Point{inner, y, z}; }, {boardY, outer}, {grassZ, towerTop},
             [](double, double) { return towerInner; });
        tile(mesh, [&](double x, double y) { return Point{x, y, towerTop}; }, {inner, out}, {boardY, outer},
             [](double, double) { return white; });
    }

    // The outer wall at this end: stand height between the towers.
    tile(mesh, [&](double x, double z) { return Point{x, outer, z}; },
         {-outerX, -sideEdgeX, sideEdgeX, outerX}, {baseZ, endStandTop, towerTop},
         [](double x, double z) -> std::optional<Colour> {
             if (std::abs(x) < sideEdgeX && z > endStandTop)
                 return std::nullopt;
             return white;
         });
}

void longSide(MeshBuilder& mesh, int sx)
{
    const std::vector<double> along = {-18.74, -16.82, 16.84, 18.74};
    tile(mesh,
         [&](double t, double y) {
             return Point{sx * (sideEdgeX + t * (longStandTopX - sideEdgeX)), y,
                          grassZ + t * (longStandTop - grassZ)};
         },
         {0, 1}, along, [](double, double y) { return within(y, -16.82, 16.84) ? stands : standCorner; });
    tile(mesh, [&](double x, double y) { return Point{x, y, longStandTop}; },
         {sx * longStandTopX, sx * outerX}, {-boardsY, boardsY}, [](double, double) { return white; });

    // The outer wall along this side: tower height at both ends.
    tile(mesh, [&](double y, double z) { return Point{sx * outerX, y, z}; },
         {outerY(-1), -boardsY, boardsY, outerY(1)}, {baseZ, longStandTop, towerTop},
         [](double y, double z) -> std::optional<Colour> {
             if (std::abs(y) < boardsY && z > longStandTop)
                 return std::nullopt;
             return white;
         });
}

}  // namespace

MeshBuilder buildStadium()
{
    MeshBuilder mesh{"stadiumMesh", {}};
    grassAndMarkings(mesh);
    for (int sy : {1, -1}) {
        goal(mesh, sy);
        endOfStadium(mesh, sy);
    }
    for (int sx : {-1, 1})
        longSide(mesh, sx);
    // The base under everything, on the same grid as the walls above it. It
    // shows only through cracks: under the stands and towers, and at the -y
    // end, where the grass stops 0.01 short of the boards, through that gap
    // onto a thin band. Under the rest of the grass it would only be
    // rasterised and hidden, so it is left out there.
    const auto base = [](double x, double y) { return Point{x, y, baseZ}; };
    tile(mesh, base, {-outerX, -sideEdgeX, sideEdgeX, outerX}, {outerY(-1), -boardsY, boardsY, outerY(1)},
         [](double x, double y) -> std::optional<Colour> {
             if (std::abs(x) < sideEdgeX && std::abs(y) < boardsY)
                 return std::nullopt;
             return white;
         });
    tile(mesh, base, {-sideEdgeX, sideEdgeX}, {-boardsY, -boardsY + 0.5}, [](double, double) { return white; });
    return mesh;
}
