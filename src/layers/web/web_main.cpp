// The browser program: the page calls main once the runtime is ready (and
// the recording to watch, if any, has been handed over); each turn of the
// game's main loop then runs from emscripten's main loop, one per call.
//
//   main([--frames N])   with --frames, the game stops after turn N and the
//                        last picture stays (a recording watched up to there)

#include <emscripten.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "state/game_state.h"
#include "app/main_loop.h"
#include "layers/web/web_platform.h"
#include "replay/script.h"

EM_JS(void, pageEnded, (), { Module.page.ended(); });
EM_JS(void, pageProblem, (const char* line), { Module.page.problem(UTF8ToString(line)); });

namespace {

// The state record holds the banner planes: it lives here, not on a stack.
GameState state;
WebPlatform platform;
std::int64_t lastTurn = 0;  // 0: no limit
std::int64_t turns = 0;
double workMs = 0.0;

void turn()
{
    const double start = emscripten_get_now();
    mainLoopTurn(state, platform);
    ++turns;
    if (state.running != 1) {
        emscripten_cancel_main_loop();
        pageEnded();
        return;
    }
    if (turns == lastTurn) {
        emscripten_cancel_main_loop();
        platform.freeze();
        std::printf("brightwicket: stopped after turn %lld, as the page asked\n", static_cast<long long>(turns));
        return;
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

EMSCRIPTEN_KEEPALIVE int web_watch(const char* text, const char* name)
{
    Script script = parseScript(text, name);
    if (!script.error.empty()) {
        pageProblem(("cannot watch " + script.error).c_str());
        return 0;
    }
    platform.watch(std::move(script.events));
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

}  // extern "C"

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--frames") == 0)
        lastTurn = std::atoll(argv[2]);
    // The shots draw from the C library's generator; start it where a
    // desktop or headless run starts it.
    std::srand(1);
    if (!startUp(state, platform))
        return 0;
    emscripten_set_main_loop(turn, 0, 0);
    emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, 0);
    return 0;
}
