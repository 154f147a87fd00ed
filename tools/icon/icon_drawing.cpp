#include "tools/icon/icon_drawing.h"

#include <png.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr double pi = 3.14159265358979323846;

constexpr Rgba palette[iconPaintCount] = {
    {0, 0, 0, 0},        {34, 128, 44, 255},  {58, 160, 64, 255}, {22, 84, 28, 255},
    {28, 28, 28, 255},   {248, 248, 244, 255}, {24, 24, 24, 255},
};

constexpr double ballX = 0.5, ballY = 0.46, ballRadius = 0.34;

bool insideRoundedSquare(double u, double v)
{
    constexpr double lo = 0.03, hi = 0.97, corner = 0.16;
    if (u < lo || u > hi || v < lo || v > hi)
        return false;
    const double cx = std::fmin(std::fmax(u, lo + corner), hi - corner);
    const double cy = std::fmin(std::fmax(v, lo + corner), hi - corner);
    return std::hypot(u - cx, v - cy) <= corner;
}

// A regular pentagon given by its centre, circumradius and the angle of one
// corner.
bool insidePentagon(double u, double v, double cx, double cy, double radius, double corner)
{
    const double dx = u - cx, dy = v - cy;
    const double apothem = radius * std::cos(pi / 5);
    for (int k = 0; k < 5; ++k) {
        const double normal = corner + pi / 5 + k * 2 * pi / 5;
        if (dx * std::cos(normal) + dy * std::sin(normal) > apothem)
            return false;
    }
    return true;
}

bool onBallPatch(double u, double v)
{
    // The centre patch points up; five more around it, cut off by the rim.
    if (insidePentagon(u, v, ballX, ballY, 0.11, -pi / 2))
        return true;
    for (int k = 0; k < 5; ++k) {
        const double angle = -pi / 2 + pi / 5 + k * 2 * pi / 5;
        const double px = ballX + 0.27 * std::cos(angle), py = ballY + 0.27 * std::sin(angle);
        if (insidePentagon(u, v, px, py, 0.1, angle))
            return true;
    }
    return false;
}

}  // namespace

Rgba iconPaintColour(IconPaint paint)
{
    return palette[static_cast<int>(paint)];
}

IconPaint iconPaintAt(double u, double v)
{
    const double fromBall = std::hypot(u - ballX, v - ballY);
    if (fromBall <= ballRadius) {
        if (fromBall > ballRadius - 0.025)
            return IconPaint::outline;
        return onBallPatch(u, v) ? IconPaint::ballBlack : IconPaint::ballWhite;
    }
    if (!insideRoundedSquare(u, v))
        return IconPaint::none;
    const double sx = (u - 0.56) / 0.36, sy = (v - 0.82) / 0.09;
    if (sx * sx + sy * sy <= 1.0)
        return IconPaint::shadow;
    return static_cast<int>(v * 6.0) % 2 == 0 ? IconPaint::grassDark : IconPaint::grassLight;
}

Rgba IconImage::at(int x, int y) const
{
    const std::size_t i = static_cast<std::size_t>(y) * size + x;
    if (depth == 8)
        return iconPaintColour(static_cast<IconPaint>(pixels[i]));
    return Rgba{pixels[4 * i], pixels[4 * i + 1], pixels[4 * i + 2], pixels[4 * i + 3]};
}

IconImage renderIcon(int size, int depth)
{
    IconImage image;
    image.size = size;
    image.depth = depth;
    if (depth == 8) {
        // One sample at each pixel's centre: a palette has no half-covered
        // pixels.
        image.pixels.resize(static_cast<std::size_t>(size) * size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                image.pixels[static_cast<std::size_t>(y) * size + x] =
                    static_cast<std::uint8_t>(iconPaintAt((x + 0.5) / size, (y + 0.5) / size));
        return image;
    }
    // 4 x 4 samples a pixel, averaged with their alpha.
    constexpr int grid = 4;
    image.pixels.resize(static_cast<std::size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    const Rgba c = iconPaintColour(
                        iconPaintAt((x + (sx + 0.5) / grid) / size, (y + (sy + 0.5) / grid) / size));
                    const double alpha = c.a / 255.0;
                    r += c.r * alpha;
                    g += c.g * alpha;
                    b += c.b * alpha;
                    a += alpha;
                }
            }
            std::uint8_t* out = &image.pixels[(static_cast<std::size_t>(y) * size + x) * 4];
            out[0] = a > 0 ? static_cast<std::uint8_t>(std::lround(r / a)) : 0;
            out[1] = a > 0 ? static_cast<std::uint8_t>(std::lround(g / a)) : 0;
            out[2] = a > 0 ? static_cast<std::uint8_t>(std::lround(b / a)) : 0;
            out[3] = static_cast<std::uint8_t>(std::lround(255.0 * a / (grid * grid)));
        }
    }
    return image;
}

std::string writeIconPng(const IconImage& image, const std::string& path)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file)
        return "cannot write " + path;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return "libpng failed to write " + path;
    }
    png_init_io(png, file.get());
    if (image.depth == 8) {
        png_color colours[iconPaintCount];
        png_byte alphas[iconPaintCount];
        for (int i = 0; i < iconPaintCount; ++i) {
            const Rgba c = iconPaintColour(static_cast<IconPaint>(i));
            colours[i] = png_color{c.r, c.g, c.b};
            alphas[i] = c.a;
        }
        png_set_IHDR(png, info, image.size, image.size, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_PLTE(png, info, colours, iconPaintCount);
        png_set_tRNS(png, info, alphas, iconPaintCount, nullptr);
    } else {
        png_set_IHDR(png, info, image.size, image.size, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    }
    png_write_info(png, info);
    const std::size_t stride = static_cast<std::size_t>(image.size) * (image.depth == 8 ? 1 : 4);
    for (int y = 0; y < image.size; ++y)
        png_write_row(png, const_cast<png_bytep>(&image.pixels[y * stride]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0)
        return "cannot write " + path;
    return {};
}
