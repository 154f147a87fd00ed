// Feeds any byte string to the script reader, and to the game as a stream of
// messages (every key code, close requests, dialog clicks, in any order and
// density), and checks after every frame what the rules promise.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "layers/headless/headless_game.h"
#include "support/invariants.h"

namespace {

// Frames checked over the whole fuzzing run, told at exit for the record.
std::int64_t framesChecked = 0;

void tellFramesChecked()
{
    std::fprintf(stderr, "frames checked: %lld\n", static_cast<long long>(framesChecked));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::atexit(tellFramesChecked);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A well-formed script (the seed corpus) is played as written; any other
    // bytes are decoded as messages.
    const Script script =
        parseScript(std::string_view(reinterpret_cast<const char*>(data), size), "input");
    // The script reader refuses anything else in one line naming the line.
    if (!script.error.empty() && (script.error.find('\n') != std::string::npos || !script.error.starts_with("input:")))
        std::abort();
    const std::vector<ScriptEvent> events =
        script.error.empty() && !script.events.empty() ? script.events : messagesFromBytes(data, size, true);
    // Long enough after the last message for a shot to land and a pause to
    // settle; short enough to keep thousands of runs a minute.
    const std::int64_t lastTurn = events.empty() ? 0 : events.back().turn;
    if (lastTurn > 200'000)
        return 0;
    const std::int64_t turns = lastTurn + 300;

    const auto game = std::make_unique<HeadlessGame>(events);
    InvariantChecker checker;
    bool shutDown = false;
    game->run(
        turns,
        [&] {
            if (shutDown) {
                std::fprintf(stderr, "a frame ran after the shutdown\n");
                std::abort();
            }
            ++framesChecked;
            const std::string broken = checker.afterFrame(*game);
            if (!broken.empty()) {
                std::fprintf(stderr, "%s\n", broken.c_str());
                std::abort();
            }
            shutDown = game->state.shuttingDown != 0;
        },
        [] { return true; });
    if (game->state.running == 1 && game->turns() != turns) {
        std::fprintf(stderr, "the run stopped early without a shutdown\n");
        std::abort();
    }
    return 0;
}
