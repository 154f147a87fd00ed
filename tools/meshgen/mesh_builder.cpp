#include "mesh_builder.h"

void tile(MeshBuilder& mesh, const SurfacePoint& at, const std::vector<double>& us,
          const std::vector<double>& vs, const PieceColour& colourOf)
{
    for (std::size_t i = 0; i + 1 < us.size(); ++i) {
        for (std::size_t j = 0; j + 1 < vs.size(); ++j) {
            const auto colour = colourOf((us[i] + us[i + 1]) / 2, (vs[j] + vs[j + 1]) / 2);
            if (colour)
                mesh.quad(at(us[i], vs[j]), at(us[i + 1], vs[j]), at(us[i + 1], vs[j + 1]),
                          at(us[i], vs[j + 1]), *colour);
        }
    }
}

void box(MeshBuilder& mesh, const std::vector<double>& xs, const std::vector<double>& ys,
         const std::vector<double>& zs, const BoxColour& colourOf, bool withBottom)
{
    for (int side : {-1, 1}) {
        const double x = side < 0 ? xs.front() : xs.back();
        tile(mesh, [&](double y, double z) { return Point{x, y, z}; }, ys, zs,
             [&](double y, double z) { return colourOf(0, side, {x, y, z}); });
        const double y = side < 0 ? ys.front() : ys.back();
        tile(mesh, [&](double x, double z) { return Point{x, y, z}; }, xs, zs,
             [&](double x, double z) { return colourOf(1, side, {x, y, z}); });
        if (side < 0 && !withBottom)
            continue;
        const double z = side < 0 ? zs.front() : zs.back();
        tile(mesh, [&](double x, double y) { return Point{x, y, z}; }, xs, ys,
             [&](double x, double y) { return colourOf(2, side, {x, y, z}); });
    }
}
