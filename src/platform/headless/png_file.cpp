#include "platform/headless/png_file.h"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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
        std::string problem = "cannot write " + path + ": " + image.message;
        png_image_free(&image);
        return problem;
    }
    return {};
}

std::string checkWritable(const std::string& path)
{
    if (path.empty())
        return "an empty file name";
    struct stat info;
    if (stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return path + " is not a regular file";
        if (access(path.c_str(), W_OK) != 0)
            return "cannot write " + path + ": " + std::strerror(errno);
        return {};
    }
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return "cannot write " + path + ": no folder " + folder;
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return "cannot write " + path + ": " + std::strerror(errno);
    return {};
}
