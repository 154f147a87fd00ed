// The icon is one drawing rendered at any size and depth: the same picture
// at every size, palette images with whole pixels, PNGs that read back as
// written.

#include <gtest/gtest.h>

#include <png.h>

#include <filesystem>

#include "support/run_script.h"
#include "tools/icon/icon_drawing.h"

TEST(IconTest, EverySizeAndDepthShowsTheSamePicture)
{
    // Points well inside one paint each: corner, grass, ball, centre patch, shadow.
    const struct {
        double u, v;
        IconPaint paint;
    } points[] = {{0.01, 0.01, IconPaint::none},
                  {0.08, 0.42, IconPaint::grassDark},
                  {0.5, 0.3, IconPaint::ballWhite},
                  {0.5, 0.46, IconPaint::ballBlack},
                  {0.35, 0.84, IconPaint::shadow}};
    for (int size : {16, 20, 24, 32, 40, 48, 64, 128, 256}) {
        for (int depth : {8, 32}) {
            const IconImage image = renderIcon(size, depth);
            for (const auto& p : points) {
                const Rgba got = image.at(static_cast<int>(p.u * size), static_cast<int>(p.v * size));
                const Rgba want = iconPaintColour(p.paint);
                // Small 32-bit images blur a little at the edges of shapes.
                const int tolerance = size < 32 && depth == 32 ? 60 : 8;
                EXPECT_TRUE(std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
                            std::abs(got.a - want.a) <= tolerance)
                    << "size " << size << " depth " << depth << " at " << p.u << "," << p.v;
            }
            if (depth == 8) {
                for (std::uint8_t index : image.pixels)
                    ASSERT_LT(index, iconPaintCount) << "every pixel is a palette entry";
            }
        }
    }
}

TEST(IconTest, PngFilesReadBackAsWritten)
{
    const std::filesystem::path folder = freshTempFolder();
    for (int depth : {8, 32}) {
        const IconImage image = renderIcon(48, depth);
        const std::string path = (folder / ("bw_icon_" + std::to_string(depth) + ".png")).string();
        ASSERT_EQ(writeIconPng(image, path), "");
        png_image read{};
        read.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&read, path.c_str()));
        EXPECT_EQ(read.width, 48u);
        EXPECT_EQ((read.format & PNG_FORMAT_FLAG_COLORMAP) != 0, depth == 8) << "8-bit images use a palette";
        read.format = PNG_FORMAT_RGBA;
        std::vector<png_byte> rgba(PNG_IMAGE_SIZE(read));
        ASSERT_TRUE(png_image_finish_read(&read, nullptr, rgba.data(), 0, nullptr));
        for (int i = 0; i < 48 * 48; ++i) {
            const Rgba c = image.at(i % 48, i / 48);
            ASSERT_EQ(rgba[4 * i + 3], c.a) << i;
            if (c.a != 0) {
                ASSERT_TRUE(rgba[4 * i] == c.r && rgba[4 * i + 1] == c.g && rgba[4 * i + 2] == c.b) << i;
            }
        }
    }
    std::filesystem::remove_all(folder);
    EXPECT_NE(writeIconPng(renderIcon(16, 32), "/nonexistent/dir/icon.png"), "");
}
