// The Windows icon file stores each image bottom-up, with a mask that hides
// the transparent pixels and not the picture. Wine's smoke test checks that
// Windows decodes every image; this checks they come out the right way up.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tools/icon/ico_file.h"

TEST(IcoFileTest, ImagesAreBottomUpWithTheirMasks)
{
    const std::vector<IconImage> images = {renderIcon(256, 8), renderIcon(20, 32)};
    const std::vector<std::uint8_t> ico = icoFile(images);
    const auto read32 = [&](std::size_t at) {
        return ico[at] | ico[at + 1] << 8 | ico[at + 2] << 16 | static_cast<std::uint32_t>(ico[at + 3]) << 24;
    };
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        const std::size_t colours = read32(6 + 16 * i + 12) + 40 + (image.depth == 8 ? 256 * 4 : 0);
        const std::size_t colourRow = (image.size * image.depth + 31) / 32 * 4;
        const std::size_t mask = colours + colourRow * image.size;
        const std::size_t maskRow = (image.size + 31) / 32 * 4;

        // Stored top-down, the ball's row would hold the shadow below it.
        const int ballX = image.size / 2, ballY = image.size * 3 / 10;
        const std::size_t ballRow = image.size - 1 - ballY;
        ASSERT_EQ(image.at(0, 0).a, 0);
        ASSERT_EQ(image.at(ballX, ballY).a, 255);
        EXPECT_TRUE(ico[mask + maskRow * (image.size - 1)] & 0x80) << "transparent corner";
        EXPECT_FALSE(ico[mask + maskRow * ballRow + ballX / 8] & (0x80 >> (ballX % 8))) << "ball";
        if (image.depth == 8) {
            EXPECT_EQ(ico[colours + colourRow * ballRow + ballX],
                      image.pixels[static_cast<std::size_t>(ballY) * image.size + ballX]);
        } else {
            const std::size_t pixel = colours + colourRow * ballRow + 4 * ballX;
            const Rgba c = image.at(ballX, ballY);
            EXPECT_TRUE(ico[pixel] == c.b && ico[pixel + 1] == c.g && ico[pixel + 2] == c.r);
        }
    }
}
