#include "support/run_script.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "replay/trace.h"

ScriptRun runScript(std::string_view script, std::int64_t frames, const FrameObserver& observe)
{
    ScriptRun run;
    run.script = parseScript(script, "test script");
    EXPECT_EQ(run.script.error, "");
    run.game = std::make_unique<HeadlessGame>(run.script.events);
    run.csv = std::string(traceHeader) + "\n";
    HeadlessGame& game = *run.game;
    char row[traceRowCapacity];
    game.run(
        frames,
        [&] {
            run.csv.append(row, formatTraceRow(row, game.frames(), game.state));
            if (observe)
                observe(game.frames(), game.state);
        },
        [] { return true; });
    return run;
}

std::string scenario(std::string_view name)
{
    const std::string text = readFile(std::string(BRIGHTWICKET_TEST_SCRIPTS) + "/" + std::string(name));
    EXPECT_FALSE(text.empty()) << "cannot read the scenario " << name;
    return text;
}

std::filesystem::path freshTempFolder()
{
    std::string pattern = (std::filesystem::path(::testing::TempDir()) / "bw_test_XXXXXX").string();
    EXPECT_NE(mkdtemp(pattern.data()), nullptr) << pattern;
    return pattern;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

PngPicture readPng(const std::filesystem::path& path, png_uint_32 format)
{
    PngPicture picture{};
    png_image& image = picture.header;
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str())) {
        const png_uint_32 stored = image.format;
        image.format = format;
        picture.pixels.resize(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr))
            picture.pixels.clear();
        image.format = stored;
    }
    return picture;
}
