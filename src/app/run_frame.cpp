#include "app/run_frame.h"

#include "state/game_state.h"
#include "banner/banner_grid.h"
#include "banner/dot_font.h"
#include "match/banner_text.h"
#include "match/match_flow.h"
#include "match/music.h"
#include "platform/platform.h"
#include "render/banner_draw.h"
#include "render/frame.h"
#include "sim/opponents.h"
#include "sim/simulation.h"

void reactivationStep(GameState& state, Platform& platform)
{
    if (state.menuVisible == 0 && state.refocusRequest == refocusRequest::dialogClosed) {
        platform.reactivateMainWindow();
        state.refocusRequest = refocusRequest::reactivated;
    }
}

void framePause(Platform& platform)
{
    // The frame's own work is not subtracted: every frame lasts its work plus
    // at least 34 ms. Sleeps are rounded up to whole milliseconds.
    constexpr std::int64_t pauseNs = 34'000'000;
    std::int64_t now = platform.clockNanoseconds();
    const std::int64_t deadline = now + pauseNs;
    while (now < deadline) {
        platform.sleepMilliseconds((deadline - now + 999'999) / 1'000'000);
        now = platform.clockNanoseconds();
    }
}

void placeTitleView(GameState& state)
{
    state.player1.x = 0.0f;
    state.player1.y = -7.0f;
    state.player1.heading = headingLeft;
    state.pitch.x = 0.0f;
    state.pitch.y = 0.0f;
}

// Every change to the game state happens here, outside the drawing calls, so
// a run that draws nothing changes the state exactly as a drawn run does.
void runFrame(GameState& state, Platform& platform)
{
    if (state.glSetupStep == glSetupStep::contextReady || state.glSetupStep == glSetupStep::projectionSet) {
        const bool draw = platform.drawsFrames();
        if (draw)
            setUpFrame(state);
        state.glSetupStep = glSetupStep::projectionSet;

        musicStep(state, platform);
        matchStep(state);
        if (matchInPlay(state))
            simulationStep(state);

        const bool matchView = state.matchPhase == matchPhase::play;
        if (!matchView)
            placeTitleView(state);
        if (draw)
            drawScene(state);
        if (matchView)
            keeperStep(state);

        // The grid is cleared and the text plotted again only when the text
        // changed: the text step reads neither.
        bannerTextStep(state);
        showBannerText(state);
        if (draw)
            drawBanner(state);

        endOfFrameClearing(state);
        if (draw)
            finishFrame(state, platform);
    }
    reactivationStep(state, platform);
    framePause(platform);
}

void redrawFrame(GameState& state, Platform& platform)
{
    if ((state.glSetupStep != 3 && state.glSetupStep != 5) || !platform.drawsFrames())
        return;
    // The keeper's step ran after the frame drew the match view: the
    // picture shows the keeper one step on, and nothing else differs.
    const std::int32_t drawIndex = state.drawIndex;
    const float bannerX = state.bannerDrawX, bannerY = state.bannerDrawY, bannerZ = state.bannerDrawZ;
    const float cellSize = state.bannerCellSize;
    setUpFrame(state);
    drawScene(state);
    drawBanner(state);
    finishFrame(state, platform);
    state.drawIndex = drawIndex;
    state.bannerDrawX = bannerX;
    state.bannerDrawY = bannerY;
    state.bannerDrawZ = bannerZ;
    state.bannerCellSize = cellSize;
}
