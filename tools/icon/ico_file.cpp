#include "tools/icon/ico_file.h"

#include <iterator>

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, value & 0xffffu);
    put16(out, value >> 16);
}

// Rows of a bitmap start on 4-byte boundaries.
std::size_t rowBytes(int width, int bitsPerPixel)
{
    return (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

bool transparent(const IconImage& image, int x, int y)
{
    return image.at(x, y).a == 0;
}

std::vector<std::uint8_t> bitmap(const IconImage& image)
{
    const int size = image.size;
    const bool palette = image.depth == 8;
    const std::size_t colourRow = rowBytes(size, image.depth);
    const std::size_t maskRow = rowBytes(size, 1);

    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(2 * size));  // the colours, then the mask
    put16(out, 1);
    put16(out, static_cast<unsigned>(image.depth));
    put32(out, 0);  // uncompressed
    put32(out, static_cast<std::uint32_t>((colourRow + maskRow) * size));
    put32(out, 0);
    put32(out, 0);
    put32(out, palette ? 256 : 0);
    put32(out, 0);
    if (palette) {
        for (int i = 0; i < 256; ++i) {
            const Rgba c = i < iconPaintCount ? iconPaintColour(static_cast<IconPaint>(i)) : Rgba{0, 0, 0, 0};
            const std::uint8_t quad[] = {c.b, c.g, c.r, 0};
            out.insert(out.end(), std::begin(quad), std::end(quad));
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (int x = 0; x < size; ++x) {
            if (palette) {
                out.push_back(image.pixels[static_cast<std::size_t>(y) * size + x]);
            } else {
                const Rgba c = image.at(x, y);
                const std::uint8_t bgra[] = {c.b, c.g, c.r, c.a};
                out.insert(out.end(), std::begin(bgra), std::end(bgra));
            }
        }
        out.resize(start + colourRow, 0);
    }
    for (int y = size - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        out.resize(start + maskRow, 0);
        for (int x = 0; x < size; ++x)
            if (transparent(image, x, y))
                out[start + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> icoFile(std::span<const IconImage> images)
{
    std::vector<std::vector<std::uint8_t>> bitmaps;
    for (const IconImage& image : images)
        bitmaps.push_back(bitmap(image));

    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // icons, not cursors
    put16(out, static_cast<unsigned>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].size;
        out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));  // 0 stands for 256
        out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));
        out.push_back(0);  // 0 colours: 256 or more
        out.push_back(0);
        put16(out, 1);
        put16(out, static_cast<unsigned>(images[i].depth));
        put32(out, static_cast<std::uint32_t>(bitmaps[i].size()));
        put32(out, static_cast<std::uint32_t>(offset));
        offset += bitmaps[i].size();
    }
    for (const auto& b : bitmaps)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}
