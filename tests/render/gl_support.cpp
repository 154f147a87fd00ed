#include "gl_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <string>

#include "banner/banner_grid.h"
#include "banner/dot_font.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/offscreen_view.h"
#include "render/frame.h"

OffscreenView& testView()
{
    static std::unique_ptr<OffscreenView> view;
    static std::string problem;
    if (!view && problem.empty())
        view = OffscreenView::create(viewWidth, viewHeight, problem);
    if (!view) {
        // Nothing can be drawn, so nothing here can be tested.
        std::fprintf(stderr, "render tests: %s\n", problem.c_str());
        std::abort();
    }
    return *view;
}

Rgb Picture::at(int x, int y) const
{
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

Picture readView()
{
    Picture picture{viewWidth, viewHeight, std::vector<std::uint8_t>(viewWidth * viewHeight * 3)};
    testView().readPixels(picture.rgb.data());
    return picture;
}

Picture drawFrame(GameState& state, HeadlessPlatform& platform, MeshBatching batching)
{
    setUpFrame(state);
    state.glSetupStep = 5;
    drawScene(state, batching);
    clearBanner(state);
    resetPlotting(state);
    plotBannerText(state);
    drawBanner(state);
    finishFrame(state, platform);
    return readView();
}

void placeKickOff(GameState& state)
{
    state.matchPhase = 2;
    state.ball = {4.0f, -11.0f, 0.0f};
    state.pitch = {-1.5f, 4.0f};
    state.player1 = {8.0f, -11.0f, headingLeft};
    state.player2 = {8.0f, -4.0f, headingLeft};
    state.defender1 = {-8.0f, -12.0f, headingRight, 0.0f};
    state.defender2 = {-7.0f, -6.0f, headingRight, 0.0f};
    state.defender3 = {-13.0f, -14.0f, headingRight, 0.0f};
    state.keeper = {-17.3f, -11.0f, headingRight, 0.0f};
}

WorldPoint matchStadiumPoint(const GameState& state, float lx, float ly, float lz)
{
    return placeVertex(lx, ly, lz, std::cos(headingLeft), std::sin(headingLeft), state.pitch.x, state.pitch.y,
                       -15.0f, 2.0f);
}

WorldPoint titleStadiumPoint(float lx, float ly, float lz)
{
    return placeVertex(lx, ly, lz, std::cos(headingLeft), std::sin(headingLeft), 0.0f, 0.0f, -7.0f, -1.0f);
}

WorldPoint figurePoint(const UserPlayer& figure, float lx, float ly, float lz)
{
    return placeVertex(lx, ly, lz, std::cos(figure.heading), std::sin(figure.heading), figure.x, figure.y, 0.0f,
                       2.0f);
}

ScreenPoint project(const WorldPoint& p)
{
    // The eye 30 back from the origin after a turn of 300 degrees about x;
    // a 60 degree vertical field of view at 16:9.
    const double turn = 300.0 * std::numbers::pi / 180.0;
    const double up = p.y * std::cos(turn) - p.z * std::sin(turn);
    const double depth = 30.0 - (p.y * std::sin(turn) + p.z * std::cos(turn));
    const double nx = p.x / depth / 1.0264, ny = up / depth / 0.57735;
    return {(nx + 1.0) / 2.0 * viewWidth, (1.0 - ny) / 2.0 * viewHeight};
}
