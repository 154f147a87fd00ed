// The icon is one drawing rendered at any size and depth: the same picture
// at every size, palette images of whole pixels, PNGs that read back as
// written, and .ico images stored bottom-up with a mask that hides only the
// transparent pixels (Wine's smoke test checks that Windows decodes them).

#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_script.h"
#include "tools/icon/ico_file.h"

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
    for (int size : windowsIconSizes) {
        for (int depth : {8, 32}) {
            const IconImage image = renderIcon(size, depth);
            // Small 32-bit images blur a little at the edges of shapes.
            const int tolerance = size < 32 && depth == 32 ? 60 : 8;
            for (const auto& p : points) {
                const Rgba got = image.at(static_cast<int>(p.u * size), static_cast<int>(p.v * size));
                const Rgba want = iconPaintColour(p.paint);
                EXPECT_TRUE(std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
                            std::abs(got.b - want.b) <= tolerance && std::abs(got.a - want.a) <= tolerance)
                    << "size " << size << " depth " << depth << " at " << p.u << "," << p.v;
            }
            for (std::uint8_t index : image.pixels)
                ASSERT_TRUE(depth == 32 || index < iconPaintCount) << "every pixel is a palette entry";
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
        const auto [read, rgba] = readPng(path, PNG_FORMAT_RGBA);
        ASSERT_EQ(rgba.size(), 48u * 48u * 4u);
        EXPECT_EQ((read.format & PNG_FORMAT_FLAG_COLORMAP) != 0, depth == 8) << "8-bit images use a palette";
        for (int i = 0; i < 48 * 48; ++i) {
            const Rgba c = image.at(i % 48, i / 48);
            ASSERT_EQ(rgba[4 * i + 3], c.a) << i;
            ASSERT_TRUE(c.a == 0 || (rgba[4 * i] == c.r && rgba[4 * i + 1] == c.g && rgba[4 * i + 2] == c.b)) << i;
        }
    }
    std::filesystem::remove_all(folder);
    EXPECT_NE(writeIconPng(renderIcon(16, 32), "/nonexistent/dir/icon.png"), "");
}

TEST(IconTest, IcoImagesAreBottomUpWithTheirMasks)
{
    const std::vector<IconImage> images = {renderIcon(256, 8), renderIcon(20, 32)};
    const std::vector<std::uint8_t> ico = icoFile(images);
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        const std::uint8_t* at = &ico[6 + 16 * i + 12];  // the directory entry's offset of the image
        const std::size_t colours = (at[0] | at[1] << 8 | at[2] << 16 | std::size_t{at[3]} << 24) + 40
                                    + (image.depth == 8 ? 256 * 4 : 0);
        const std::size_t colourRow = (image.size * image.depth + 31) / 32 * 4;
        const std::size_t mask = colours + colourRow * image.size, maskRow = (image.size + 31) / 32 * 4;
        // Stored top-down, the ball's row would hold the shadow below it.
        const int ballX = image.size / 2, ballY = image.size * 3 / 10;
        const std::size_t ballRow = image.size - 1 - ballY;
        const std::uint8_t* pixel = &ico[colours + colourRow * ballRow + ballX * image.depth / 8];
        EXPECT_TRUE(ico[mask + maskRow * (image.size - 1)] & 0x80) << "transparent corner";
        EXPECT_FALSE(ico[mask + maskRow * ballRow + ballX / 8] & (0x80 >> (ballX % 8))) << "ball";
        const std::uint8_t* bgr = image.depth == 8 ? &ico[colours - 256 * 4 + 4 * pixel[0]] : pixel;  // via the palette
        const Rgba c = image.at(ballX, ballY);
        EXPECT_TRUE(bgr[0] == c.b && bgr[1] == c.g && bgr[2] == c.r);
    }
}
