// Feeds any byte string to the game as a stream of messages (every key code,
// close requests, dialog clicks, in any order and density) and checks after
// every frame what the rules promise.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/headless/headless_game.h"
#include "support/invariants.h"

namespace {

constexpr std::int32_t namedKeys[] = {13, 27, 37, 38, 39, 40, 65, 77, 80, 82, 83, 90};

// Two bytes a message: the high nibble of the first is the gap in turns to
// the previous message, its low nibble the kind; the second picks the key
// code where one is needed. Escape and close are kept rare, or most inputs
// would only test quitting.
std::vector<ScriptEvent> decode(const std::uint8_t* data, std::size_t size)
{
    std::vector<ScriptEvent> events;
    std::int64_t turn = 1;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const int kind = data[i] & 0x0f;
        const std::uint8_t arg = data[i + 1];
        turn += data[i] >> 4;
        ScriptEvent e;
        e.turn = turn;
        if (kind < 12) {
            e.kind = MessageKind::keyDown;
            e.code = namedKeys[kind];
            if (e.code == 27 && arg < 250)
                e.code = 38;
        } else if (kind == 12) {
            e.kind = MessageKind::keyDown;
            e.code = arg;
        } else if (kind == 13) {
            e.kind = arg >= 250 ? MessageKind::close : MessageKind::other;
        } else {
            e.kind = kind == 14 ? MessageKind::menuOk : MessageKind::menuClose;
        }
        if (e.kind != MessageKind::other)
            events.push_back(e);
    }
    return events;
}

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
    // bytes are decoded as above.
    const Script script =
        parseScript(std::string_view(reinterpret_cast<const char*>(data), size), "input");
    const std::vector<ScriptEvent> events =
        script.error.empty() && !script.events.empty() ? script.events : decode(data, size);
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
