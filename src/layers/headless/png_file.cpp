#include "layers/headless/png_file.h"

#include <png.h>

#include <cstring>

std::string writePng(const std::string& path, int width, int height, const std::uint8_t* rgb)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb, 0, nullptr)) {
        std::string problem = "cannot write screenshot " + path + ": " + image.message;
        png_image_free(&image);
        return problem;
    }
    return {};
}
