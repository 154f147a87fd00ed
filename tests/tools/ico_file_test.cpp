// The .ico of the Windows program: its directory points at every image, and
// each image is stored bottom-up with a mask that hides the transparent
// pixels and only those.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tools/icon/ico_file.h"

namespace {

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

}  // namespace

TEST(IcoFileTest, DirectoryAndBottomUpImagesWithTheirMasks)
{
    const std::vector<IconImage> images = {renderIcon(256, 8), renderIcon(20, 32)};
    const std::vector<std::uint8_t> ico = icoFile(images);
    ASSERT_EQ(ico[4], 2);

    std::size_t expectedOffset = 6 + 2 * 16;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], image.size == 256 ? 0 : image.size) << "256 is written as 0";
        EXPECT_EQ(ico[entry + 6], image.depth);
        const std::uint32_t bytes = read32(ico, entry + 8);
        ASSERT_EQ(read32(ico, entry + 12), expectedOffset);
        expectedOffset += bytes;
        ASSERT_LE(expectedOffset, ico.size());

        const std::size_t bitmap = read32(ico, entry + 12);
        EXPECT_EQ(read32(ico, bitmap + 8), 2u * image.size) << "colours and mask";
        const std::size_t colours = bitmap + 40 + (image.depth == 8 ? 256 * 4 : 0);
        const std::size_t colourRow = (image.size * image.depth + 31) / 32 * 4;
        const std::size_t mask = colours + colourRow * image.size;
        const std::size_t maskRow = (image.size + 31) / 32 * 4;
        EXPECT_EQ(mask + maskRow * image.size, bitmap + bytes);

        // The mask hides the transparent corner, not the ball. Rows go from
        // the bottom up: stored top-down, the ball's row would hold the shadow.
        const int ballX = image.size / 2, ballY = image.size * 3 / 10;
        ASSERT_EQ(image.at(0, 0).a, 0);
        ASSERT_EQ(image.at(ballX, ballY).a, 255);
        EXPECT_TRUE(ico[mask + maskRow * (image.size - 1)] & 0x80);
        const std::size_t ballRow = image.size - 1 - ballY;
        EXPECT_FALSE(ico[mask + maskRow * ballRow + ballX / 8] & (0x80 >> (ballX % 8)));
        if (image.depth == 8) {
            EXPECT_EQ(ico[colours + colourRow * ballRow + ballX],
                      image.pixels[static_cast<std::size_t>(ballY) * image.size + ballX]);
        } else {
            const std::size_t pixel = colours + colourRow * ballRow + 4 * ballX;
            const Rgba c = image.at(ballX, ballY);
            EXPECT_EQ(ico[pixel], c.b);
            EXPECT_EQ(ico[pixel + 2], c.r);
            EXPECT_EQ(ico[pixel + 3], c.a);
        }
    }
    EXPECT_EQ(expectedOffset, ico.size());
}
