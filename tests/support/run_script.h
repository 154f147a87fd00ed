#pragma once
// Runs an input script through the headless game in this process and hands
// back the frame trace, parsed, so tests can ask for any column of any frame.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless_game.h"
#include "replay/script.h"

class Trace {
public:
    static Trace parse(const std::string& csv);

    std::int64_t frames() const { return static_cast<std::int64_t>(rows.size()); }
    bool hasColumn(std::string_view column) const;

    // Frames count from 1, as in the trace. A bad frame or column fails the
    // current test and returns an empty value.
    const std::string& text(std::int64_t frame, std::string_view column) const;
    std::int64_t integer(std::int64_t frame, std::string_view column) const;
    float real(std::int64_t frame, std::string_view column) const;
    // The banner text without its quotes.
    std::string banner(std::int64_t frame) const;

    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

struct ScriptRun {
    Trace trace;
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
