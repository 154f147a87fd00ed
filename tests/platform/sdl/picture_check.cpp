// Looks at a screenshot of the desktop game for the desktop tests:
//   picture_check banner FILE         grey and black banner cells along the top
//   picture_check sky FILE            the sky colour in the upper part
//   picture_check grass FILE          mostly green in the lower half
//   picture_check differ A B          the lower halves of two pictures differ
//   picture_check dialog FILE X Y W H a light dialog face with dark text in it
// Exit status 0 when the picture shows it, 1 when not (with what was seen),
// 2 for a file that is not a PNG.

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<png_byte> rgb;

    const png_byte* at(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

bool load(const char* path, Picture& picture)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path))
        return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

bool near(const png_byte* p, int r, int g, int b, int tolerance)
{
    return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance;
}

// The share of pixels in rows [top, bottom) that pass `test`.
template <class Test>
double share(const Picture& picture, int left, int top, int right, int bottom, Test test)
{
    long hits = 0, all = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x, ++all)
            hits += test(picture.at(x, y)) ? 1 : 0;
    return all > 0 ? static_cast<double>(hits) / all : 0.0;
}

int verdict(bool ok, const std::string& what)
{
    std::printf("%s: %s\n", ok ? "ok" : "NOT SEEN", what.c_str());
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string check = argv[1];
    Picture picture;
    if (!load(argv[2], picture)) {
        std::fprintf(stderr, "picture_check: cannot read %s\n", argv[2]);
        return 2;
    }
    const int w = picture.width, h = picture.height;
    auto percent = [](double s) { return std::to_string(static_cast<int>(s * 1000) / 10.0); };

    if (check == "banner") {
        // The banner fills about the top 7% of the view.
        const int band = h * 7 / 100;
        const double grey = share(picture, 0, 0, w, band, [](const png_byte* p) { return near(p, 128, 128, 128, 6); });
        const double black = share(picture, 0, 0, w, band, [](const png_byte* p) { return near(p, 0, 0, 0, 6); });
        return verdict(grey > 0.5 && black > 0.01 && black < 0.5,
                       "banner band " + percent(grey) + "% grey, " + percent(black) + "% black");
    }
    if (check == "sky") {
        const double sky = share(picture, 0, 0, w, h * 4 / 10, [](const png_byte* p) { return near(p, 0, 232, 255, 6); });
        return verdict(sky > 0.02, "upper part " + percent(sky) + "% sky");
    }
    if (check == "grass") {
        const double green = share(picture, 0, h / 2, w, h,
                                   [](const png_byte* p) { return p[1] > p[0] + 30 && p[1] > p[2] + 30; });
        return verdict(green > 0.5, "lower half " + percent(green) + "% green");
    }
    if (check == "differ" && argc == 4) {
        Picture other;
        if (!load(argv[3], other) || other.width != w || other.height != h)
            return 2;
        long changed = 0;
        for (int y = h / 2; y < h; ++y)
            for (int x = 0; x < w; ++x)
                changed += near(picture.at(x, y), other.at(x, y)[0], other.at(x, y)[1], other.at(x, y)[2], 8) ? 0 : 1;
        const double part = static_cast<double>(changed) / (static_cast<double>(w) * (h - h / 2));
        return verdict(part > 0.1, "lower halves " + percent(part) + "% different");
    }
    if (check == "dialog" && argc == 7) {
        const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
        const int right = std::min(w, x + std::atoi(argv[5])), bottom = std::min(h, y + std::atoi(argv[6]));
        const double face = share(picture, x, y, right, bottom, [](const png_byte* p) { return near(p, 240, 240, 240, 4); });
        const double ink = share(picture, x, y, right, bottom, [](const png_byte* p) { return p[0] < 80 && p[1] < 80 && p[2] < 80; });
        return verdict(face > 0.7 && ink > 0.01, "dialog " + percent(face) + "% face, " + percent(ink) + "% text");
    }
    std::fprintf(stderr, "picture_check: unknown check %s\n", check.c_str());
    return 2;
}
