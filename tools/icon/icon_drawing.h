#pragma once
// The game's icon, a ball on striped grass, as a drawing over the unit square
// rather than a bitmap: every size and colour depth is rendered from the same
// shapes.

#include <cstdint>
#include <string>
#include <vector>

// The paints of the drawing; also the palette of the 8-bit images, in this
// order.
enum class IconPaint : std::uint8_t { none, grassDark, grassLight, shadow, outline, ballWhite, ballBlack };
constexpr int iconPaintCount = 7;

struct Rgba {
    std::uint8_t r, g, b, a;
};

Rgba iconPaintColour(IconPaint paint);

// The paint on top at point (u, v) of the unit square, u to the right, v
// downwards.
IconPaint iconPaintAt(double u, double v);

// A square image of the drawing. 32-bit images hold RGBA bytes, smoothed at
// the edges; 8-bit images hold one palette index (an IconPaint) per pixel,
// with index 0 transparent.
struct IconImage {
    int size = 0;
    int depth = 32;
    std::vector<std::uint8_t> pixels;

    Rgba at(int x, int y) const;
};

IconImage renderIcon(int size, int depth);

// Writes the image as a PNG (RGBA, or palette with transparency for 8-bit
// images). Returns an empty string on success, else the problem.
std::string writeIconPng(const IconImage& image, const std::string& path);
