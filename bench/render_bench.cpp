// Milliseconds per drawn frame in the headless view, title and match view at
// two sizes: wall time, CPU time over all threads (Mesa rasterises on
// several), and where the wall time goes: clearing, issuing the drawing calls,
// and the rasterising left when the calls return (a glFinish after each).
// Medians over many frames; run it on an otherwise idle machine. Memory is
// set up as the game's Linux program sets it.
//
//   bw_render_bench [FRAMES]     (default 300, at least 200)

#include <GL/gl.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <span>
#include <vector>

#include "banner/banner_grid.h"
#include "render/banner_draw.h"
#include "banner/dot_font.h"
#include "layers/headless/headless_game.h"
#include "sim/kickoff.h"
#include "layers/headless/offscreen_view.h"
#include "render/frame.h"
#include "render/scene.h"

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double>& values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void placeView(GameState& s, bool match)
{
    s.matchPhase = match ? 2 : 1;
    s.bannerText = match ? "         goals  0   attempts  0"
                         : "         brightwicket soccer         press m key for menu";
    kickoffReset(s);
}

double cpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// One frame's drawing steps; with `phases`, a glFinish after the clear and
// after the calls, timing each part into times[1..3]; times[0] is the whole,
// times[4] its CPU time.
void frame(HeadlessGame& game, MeshBatching batching, bool phases, std::vector<double>* times)
{
    GameState& s = game.state;
    const double cpu = cpuMilliseconds();
    auto mark = Clock::now();
    const auto lap = [&](int part) {
        const auto now = Clock::now();
        times[part].push_back(std::chrono::duration<double, std::milli>(now - mark).count());
        mark = now;
    };
    const auto start = mark;
    setUpFrame(s);
    s.glSetupStep = 5;
    if (phases)
        glFinish(), lap(1);
    drawScene(s, batching);
    showBannerText(s);
    drawBanner(s, batching);
    if (phases)
        lap(2), glFinish(), lap(3);
    finishFrame(s, game.platform);
    mark = start;
    if (!phases) {
        lap(0);
        times[4].push_back(cpuMilliseconds() - cpu);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    const int frames = argc > 1 ? std::max(200, std::atoi(argv[1])) : 300;
    std::printf("| view | size | ms per frame | CPU ms | clear | issue calls | rasterise after |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const auto& [width, height] : {std::pair{1920, 1080}, {1280, 720}}) {
        std::string problem;
        const auto view = OffscreenView::create(width, height, problem);
        if (!view) {
            std::fprintf(stderr, "bw_render_bench: %s\n", problem.c_str());
            return 1;
        }
        for (const int kind : {0, 1, 2}) {
            const MeshBatching batching = kind == 2 ? MeshBatching::perTriangle : MeshBatching::oneBatch;
            HeadlessGame game(std::span<const ScriptEvent>{}, view.get());
            game.start();
            placeView(game.state, kind > 0);
            std::vector<double> times[5];
            for (int i = 0; i < 20; ++i)  // shaders compiled, caches warm
                frame(game, batching, false, times);
            times[0].clear();
            times[4].clear();
            for (int i = 0; i < 2 * frames; ++i)
                frame(game, batching, i % 2 == 1, times);
            const char* name = kind == 0 ? "title" : kind == 1 ? "match" : "match, one primitive per triangle and cell";
            std::printf("| %s | %dx%d | %.1f | %.1f | %.1f | %.1f | %.1f |\n", name, width, height, median(times[0]),
                        median(times[4]), median(times[1]), median(times[2]), median(times[3]));
            std::fflush(stdout);
            game.stop();
        }
    }
    std::printf("\nmedians of %d frames each\n", frames);
    return 0;
}
