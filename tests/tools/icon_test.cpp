// The icon is one drawing rendered at any size and depth: the same picture
// at 16 and at 256 pixels, palette images that a palette can hold, and PNG
// files that read back as written.

#include <gtest/gtest.h>

#include <png.h>

#include <filesystem>
#include <set>

#include "tools/icon/icon_drawing.h"

namespace {

bool sameColour(Rgba a, Rgba b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance && std::abs(a.a - b.a) <= tolerance;
}

}  // namespace

TEST(IconTest, EverySizeShowsTheSamePicture)
{
    // Points well inside one paint: corner, grass, ball, centre patch, shadow.
    const struct {
        double u, v;
        IconPaint paint;
    } points[] = {{0.01, 0.01, IconPaint::none},      {0.08, 0.42, IconPaint::grassDark},
                  {0.5, 0.3, IconPaint::ballWhite},   {0.5, 0.46, IconPaint::ballBlack},
                  {0.35, 0.84, IconPaint::shadow}};
    for (const auto& p : points)
        ASSERT_EQ(iconPaintAt(p.u, p.v), p.paint) << p.u << "," << p.v;

    for (int size : {16, 20, 24, 32, 40, 48, 64, 128, 256}) {
        for (int depth : {8, 32}) {
            const IconImage image = renderIcon(size, depth);
            ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(size * size * (depth == 8 ? 1 : 4)));
            std::set<std::uint32_t> colours;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const Rgba c = image.at(x, y);
                    colours.insert((c.r << 24) | (c.g << 16) | (c.b << 8) | c.a);
                    if (depth == 8) {
                        EXPECT_TRUE(c.a == 0 || c.a == 255) << "a palette pixel is there or not";
                    }
                }
            }
            if (depth == 8) {
                EXPECT_LE(colours.size(), 256u);
            }
            for (const auto& p : points) {
                const int x = static_cast<int>(p.u * size), y = static_cast<int>(p.v * size);
                // Small sizes blur the 32-bit edges a little; the corner and
                // the middle of the ball stay exact.
                EXPECT_TRUE(sameColour(image.at(x, y), iconPaintColour(p.paint), size < 32 ? 60 : 8))
                    << "size " << size << " depth " << depth << " at " << p.u << "," << p.v;
            }
        }
    }
}

TEST(IconTest, PngFilesReadBackAsWritten)
{
    const std::filesystem::path dir = ::testing::TempDir();
    for (int depth : {8, 32}) {
        const IconImage image = renderIcon(48, depth);
        const std::string path = (dir / ("bw_icon_" + std::to_string(depth) + ".png")).string();
        ASSERT_EQ(writeIconPng(image, path), "");

        png_image read{};
        read.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&read, path.c_str()));
        EXPECT_EQ(read.width, 48u);
        EXPECT_EQ(read.height, 48u);
        EXPECT_EQ((read.format & PNG_FORMAT_FLAG_COLORMAP) != 0, depth == 8);
        read.format = PNG_FORMAT_RGBA;
        std::vector<png_byte> rgba(PNG_IMAGE_SIZE(read));
        ASSERT_TRUE(png_image_finish_read(&read, nullptr, rgba.data(), 0, nullptr));
        for (int i = 0; i < 48 * 48; ++i) {
            const Rgba c = image.at(i % 48, i / 48);
            // Fully transparent pixels may come back with any colour.
            if (c.a == 0)
                ASSERT_EQ(rgba[4 * i + 3], 0);
            else
                ASSERT_TRUE(sameColour(c, Rgba{rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2], rgba[4 * i + 3]}, 0))
                    << "pixel " << i;
        }
        std::filesystem::remove(path);
    }
    EXPECT_NE(writeIconPng(renderIcon(16, 32), "/nonexistent/dir/icon.png"), "");
}
