// Milliseconds per drawn frame in the headless view, for the title and the
// match view at two sizes, and where the time goes: clearing, issuing the
// drawing calls, and the rasterising that is left when the calls return.
// Medians over many frames; run it on an otherwise idle machine.
//
//   bw_render_bench [FRAMES]     (default 300, at least 200)

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "app/game_state.h"
#include "banner/banner_grid.h"
#include "banner/dot_font.h"
#include "platform/headless/headless_game.h"
#include "platform/headless/offscreen_view.h"
#include "render/frame.h"
#include "render/scene.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void placeView(GameState& state, bool match)
{
    if (!match) {
        state.matchPhase = 1;
        state.bannerText = "         brightwicket soccer         press m key for menu";
        return;
    }
    state.matchPhase = 2;
    state.bannerText = "         goals  0   attempts  0";
    state.ball = {4.0f, -11.0f, 0.0f};
    state.pitch = {-1.5f, 4.0f};
    state.player1 = {8.0f, -11.0f, headingLeft};
    state.player2 = {8.0f, -4.0f, headingLeft};
    state.defender1 = {-8.0f, -12.0f, headingRight, 0.0f};
    state.defender2 = {-7.0f, -6.0f, headingRight, 0.0f};
    state.defender3 = {-13.0f, -14.0f, headingRight, 0.0f};
    state.keeper = {-17.3f, -11.0f, headingRight, 0.0f};
}

struct Figures {
    double frame, clear, issue, rasterise;
};

// The drawing steps of one frame, as the frame routine makes them.
void drawFrame(HeadlessGame& game, MeshBatching batching)
{
    GameState& state = game.state;
    setUpFrame(state);
    state.glSetupStep = 5;
    drawScene(state, batching);
    clearBanner(state);
    resetPlotting(state);
    plotBannerText(state);
    drawBanner(state);
    finishFrame(state, game.platform);
}

Figures measure(HeadlessGame& game, int frames, MeshBatching batching)
{
    GameState& state = game.state;
    for (int i = 0; i < 20; ++i)  // shaders compiled, caches warm
        drawFrame(game, batching);

    std::vector<double> whole, clear, issue, rasterise;
    for (int i = 0; i < frames; ++i) {
        const auto start = Clock::now();
        drawFrame(game, batching);
        whole.push_back(msSince(start));
    }
    // The same frames again, with a wait for the pixels after each phase.
    for (int i = 0; i < frames; ++i) {
        auto start = Clock::now();
        setUpFrame(state);
        glFinish();
        clear.push_back(msSince(start));
        start = Clock::now();
        drawScene(state, batching);
        clearBanner(state);
        resetPlotting(state);
        plotBannerText(state);
        drawBanner(state);
        issue.push_back(msSince(start));
        start = Clock::now();
        glFinish();
        rasterise.push_back(msSince(start));
        finishFrame(state, game.platform);
    }
    return {median(whole), median(clear), median(issue), median(rasterise)};
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(200, std::atoi(argv[1])) : 300;
    struct Size {
        int width, height;
    };
    std::printf("| view | size | ms per frame | clear | issue calls | rasterise after |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (const Size size : {Size{1920, 1080}, Size{1280, 720}}) {
        std::string problem;
        const auto view = OffscreenView::create(size.width, size.height, problem);
        if (!view) {
            std::fprintf(stderr, "bw_render_bench: %s\n", problem.c_str());
            return 1;
        }
        struct Case {
            const char* name;
            bool match;
            MeshBatching batching;
        };
        for (const Case c : {Case{"title", false, MeshBatching::oneBatch}, Case{"match", true, MeshBatching::oneBatch},
                             Case{"match, one primitive per triangle", true, MeshBatching::perTriangle}}) {
            HeadlessGame game(std::span<const ScriptEvent>{}, view.get());
            game.start();
            placeView(game.state, c.match);
            const Figures f = measure(game, frames, c.batching);
            std::printf("| %s | %dx%d | %.2f | %.2f | %.2f | %.2f |\n", c.name, size.width, size.height, f.frame,
                        f.clear, f.issue, f.rasterise);
            std::fflush(stdout);
            game.stop();
        }
    }
    std::printf("\nmedians of %d frames; the three phases are measured with a glFinish after each\n", frames);
    return 0;
}
