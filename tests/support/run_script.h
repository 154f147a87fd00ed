#pragma once
// Runs an input script through the headless game in this process and hands
// back the frame trace as the headless command writes it.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <png.h>

#include "layers/headless/headless_game.h"
#include "replay/script.h"

struct ScriptRun {
    std::string csv;                    // the trace as written
    Script script;                      // kept alive for the platform
    std::unique_ptr<HeadlessGame> game; // the game after the run
};

using FrameObserver = std::function<void(std::int64_t frame, const GameState& state)>;

// Runs `script` for at most `frames` turns, exactly as the headless command
// does (without drawing); `observe` sees the state after every frame.
ScriptRun runScript(std::string_view script, std::int64_t frames, const FrameObserver& observe = {});

// The text of tests/scripts/NAME.
std::string scenario(std::string_view name);

// A new, empty folder under the temporary folder, made for the caller alone
// (two runs of the suite at once never share one); the caller removes it.
std::filesystem::path freshTempFolder();

// The whole of a file, byte for byte; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// A PNG file read by libpng: its header as stored (all zero when it cannot be
// read) and its pixels converted to `format`, e.g. PNG_FORMAT_RGB.
struct PngPicture {
    png_image header;
    std::vector<std::uint8_t> pixels;
};
PngPicture readPng(const std::filesystem::path& path, png_uint_32 format);
