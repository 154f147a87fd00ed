// The browser program: the page calls main once the runtime is ready (and
// the recording to watch, if any, has been handed over); each turn of the
// game's main loop then runs from emscripten's main loop, one per call.
//
//   main([--frames N])   with --frames, the game stops after turn N and the
//                        last picture stays (a recording watched up to there)

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

#include "state/game_state.h"
#include "app/main_loop.h"
#include "layers/web/web_platform.h"
#include "replay/script.h"
#include "replay/trace.h"

EM_JS(void, pageEnded, (), { Module.page.ended(); });
EM_JS(void, pageWatchEnded, (), { Module.page.watchEnded(); });
EM_JS(void, pagePaused, (int paused), { Module.page.paused(!!paused); });
EM_JS(void, pageProblem, (const char* line), { Module.page.problem(UTF8ToString(line)); });

namespace {

// The state record holds the banner planes: it lives here, not on a stack.
GameState state;
WebPlatform platform;
std::int64_t lastTurn = 0;  // 0: no limit
std::int64_t turns = 0;
double workMs = 0.0;
bool shownPaused = false;
char traceRow[traceRowCapacity];

void turn()
{
    // A hidden page's clock stands still: no turn runs, nothing is made up
    // for afterwards, so the session's trace is as if it had never been hidden.
    if (platform.hidden()) {
        emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, 100);
        return;
    }
    // Escape stopped the watch, or the recording's end line came: the
    // picture stays as it is.
    if (platform.watchStopped() || platform.watchOver()) {
        emscripten_cancel_main_loop();
        platform.freeze();
        pageWatchEnded();
        std::printf(platform.watchStopped() ? "brightwicket: the watch was stopped at turn %lld\n"
                                            : "brightwicket: the recording ends after turn %lld\n",
                    static_cast<long long>(turns));
        return;
    }
    const double start = emscripten_get_now();
    mainLoopTurn(state, platform);
    ++turns;
    if (state.running != 1) {
        emscripten_cancel_main_loop();
        if (platform.watching())
            pageWatchEnded();
        else
            pageEnded();
        return;
    }
    if (turns == lastTurn) {
        emscripten_cancel_main_loop();
        platform.freeze();
        std::printf("brightwicket: stopped after turn %lld, as the page asked\n", static_cast<long long>(turns));
        return;
    }
    // The Title button is only of use while the match stands paused.
    if ((state.pauseState == 2) != shownPaused) {
        shownPaused = !shownPaused;
        pagePaused(shownPaused);
    }
    // The frame's pause follows its work, as a sleep would: the next turn
    // starts that long after this one ended, not on the display's beat.
    const double work = emscripten_get_now() - start;
    workMs += work;
    emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, static_cast<int>(std::ceil(work) + platform.takePause()));
}

}  // namespace

extern "C" {

// The page's hooks: the dialog's buttons, a recording to watch, and what the
// page reports about the turns so far.
EMSCRIPTEN_KEEPALIVE void web_menu_button(int closeBox)
{
    platform.pressMenuButton(closeBox != 0);
}

// The page's touch controls: 0..6 the buttons A, S, Enter, P, R, Z, M;
// web_touch_direction with (0, 0) when the direction pad is let go.
EMSCRIPTEN_KEEPALIVE void web_touch_button(int button, int down)
{
    constexpr PadButton buttons[] = {PadButton::south, PadButton::east, PadButton::start, PadButton::back,
                                     PadButton::north, PadButton::west, PadButton::leftShoulder};
    if (button >= 0 && button < static_cast<int>(std::size(buttons)))
        platform.touchButton(buttons[button], down != 0);
}

EMSCRIPTEN_KEEPALIVE void web_touch_direction(double x, double y)
{
    platform.touchDirection(x, y);
}

EMSCRIPTEN_KEEPALIVE void web_hidden(int hidden)
{
    platform.setHidden(hidden != 0);
}

// The recording's bytes as they came, zero bytes and all: read by the
// desktop's reader, with its limits and its one-line errors.
EMSCRIPTEN_KEEPALIVE int web_watch(const char* bytes, int size, const char* name)
{
    // The page's memory is smaller than a desktop's: the events must fit
    // beside the text, at worst three times their size while the reader's
    // list grows, or the recording is refused in one line rather than the
    // page running out of memory halfway.
    const auto lines = static_cast<std::size_t>(std::count(bytes, bytes + size, '\n')) + 1;
    void* room = std::malloc(std::min(lines, maxScriptEvents + 1) * sizeof(ScriptEvent) * 3);
    if (room == nullptr) {
        pageProblem(("cannot watch " + std::string(name) + ": its " + std::to_string(lines) +
                     " lines do not fit in this browser's memory").c_str());
        return 0;
    }
    std::free(room);
    Script script = parseScript(std::string_view(bytes, static_cast<std::size_t>(size)), name);
    if (!script.error.empty()) {
        pageProblem(("cannot watch " + script.error).c_str());
        return 0;
    }
    platform.watch(std::move(script.events), script.endTurn);
    return 1;
}

EMSCRIPTEN_KEEPALIVE double web_turns()
{
    return static_cast<double>(turns);
}

EMSCRIPTEN_KEEPALIVE double web_work_ms()
{
    return workMs;
}

// The trace row of the last turn, as a headless run writes it.
EMSCRIPTEN_KEEPALIVE const char* web_trace_row()
{
    traceRow[formatTraceRow(traceRow, turns, state) - 1] = '\0';  // without its line end
    return traceRow;
}

}  // extern "C"

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--frames") == 0)
        lastTurn = std::atoll(argv[2]);
    if (!startUp(state, platform))
        return 0;
    emscripten_set_main_loop(turn, 0, 0);
    emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, 0);
    return 0;
}
