// Frames drawn in the headless view: the OpenGL state the camera leaves,
// where the camera puts the world, the banner, the title and kick-off views,
// the figures' faces; and that batching, drawing at all, and drawn frames
// change nothing else: the same pixels, the same trace, no allocation.

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>

#include "sim/kickoff.h"
#include "support/counting_allocator.h"
#include "banner/banner_grid.h"
#include "render/banner_draw.h"
#include "banner/dot_font.h"
#include "layers/headless/headless_game.h"
#include "layers/headless/offscreen_view.h"
#include "replay/trace.h"
#include "render/frame.h"
#include "render/scene.h"

namespace {

constexpr int width = 1280, height = 720;
using Rgb = std::array<int, 3>;
constexpr Rgb sky{0, 232, 255}, white{255, 255, 255}, darkGrass{13, 145, 19}, lightGrass{8, 180, 15};

OffscreenView& view()
{
    static std::string problem;
    static const std::unique_ptr<OffscreenView> made = OffscreenView::create(width, height, problem);
    if (!made) {
        std::fprintf(stderr, "render tests: nothing can be drawn here: %s\n", problem.c_str());
        std::abort();
    }
    return *made;
}

struct Picture {
    std::vector<std::uint8_t> rgb = std::vector<std::uint8_t>(width * height * 3);
    Picture() { view().readPixels(rgb.data()); }
    Rgb at(double x, double y) const  // pixels from the top-left corner
    {
        const std::size_t i = (std::size_t(y) * width + std::size_t(x)) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
    // Middle of the white run in column x within 4 rows of y; NAN if none.
    double whiteNear(double x, double y) const
    {
        double first = NAN, last = NAN;
        for (double r = std::floor(y) - 4; r <= std::floor(y) + 4; ++r)
            if (at(x, r) == white)
                last = r, first = std::isnan(first) ? r : first;
        return (first + last) / 2 + 0.5;
    }
};

struct Screen { double x, y; };

// Where the camera must put a world point: the eye 30 back from the origin
// after a turn of 300 degrees about x, 60 degrees of view upright at 16:9.
Screen project(WorldPoint p)
{
    const double turn = 300 * std::numbers::pi / 180;
    const double up = p.y * std::cos(turn) - p.z * std::sin(turn);
    const double depth = 30 - (p.y * std::sin(turn) + p.z * std::cos(turn));
    return {(1 + p.x / depth / 1.0264) * width / 2, (1 - up / depth / 0.57735) * height / 2};
}

// Figure-local or stadium-local points where the views place them.
WorldPoint onFigure(const UserPlayer& f, float lx, float ly, float lz)
{
    return placeVertex(lx, ly, lz, std::cos(f.heading), std::sin(f.heading), f.x, f.y, 0, 2);
}
WorldPoint onStadium(const GameState& state, float lx, float ly, float lz)
{
    const bool match = state.matchPhase == 2;
    return placeVertex(lx, ly, lz, std::cos(headingLeft), std::sin(headingLeft), match ? state.pitch.x : 0,
                       match ? state.pitch.y : 0, match ? -15.0f : -7.0f, match ? 2.0f : -1.0f);
}

void placeKickOff(GameState& s)
{
    s.matchPhase = 2;
    kickoffReset(s);
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(game.start()); }
    void TearDown() override { game.stop(); }

    // The drawing steps of a frame for the state as it is, the banner
    // showing state.bannerText.
    Picture draw(MeshBatching batching = MeshBatching::oneBatch)
    {
        GameState& s = game.state;
        setUpFrame(s);
        s.glSetupStep = 5;
        drawScene(s, batching);
        clearBanner(s);
        plotBannerText(s);
        drawBanner(s, batching);
        finishFrame(s, game.platform);
        return {};
    }

    HeadlessGame game{{}, &view()};
};

}  // namespace

TEST_F(RenderTest, EveryFramePresentedWithTheWholeViewAndTheStatesSwitchedOff)
{
    const Script script = parseScript("2 enter\n10 p\n50 r\n60 enter\n", "frames");
    HeadlessGame many(script.events, &view());
    ASSERT_TRUE(many.start());
    for (int i = 0; i < 80; ++i)
        ASSERT_TRUE(many.turn());
    EXPECT_EQ(many.platform.framesPresented, 80);

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2] * 10000 + viewport[3], width * 10000 + height);
    for (GLenum off : {GL_BLEND, GL_DEPTH_TEST, GL_LIGHTING, GL_CULL_FACE, GL_TEXTURE_2D})
        EXPECT_FALSE(glIsEnabled(off)) << off;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    many.stop();
}

TEST_F(RenderTest, TitleViewShowsBannerSkyAndTheWholePitch)
{
    ASSERT_TRUE(game.turn());
    const GameState& s = game.state;
    const Picture picture;
    // Every banner cell in view, grey or black as the grid says.
    int checked = 0, black = 0;
    for (int i = 0; i < bannerCells; ++i) {
        const int row = i / bannerColumns, column = i % bannerColumns;
        const Screen p = project({-169.5f + column, 139.5f - row, 14.5f - row});
        if (p.x < 3 || p.x > width - 3)
            continue;
        const Rgb seen = picture.at(p.x, p.y);
        black += s.bannerRed[i] == 0;
        ++checked;
        if (s.bannerRed[i] == 0)
            EXPECT_EQ(seen, (Rgb{0, 0, 0})) << "cell " << row << ", " << column;
        else
            EXPECT_TRUE(seen[0] == seen[2] && seen[1] == seen[2] && std::abs(seen[0] - 127.5) < 1)
                << "cell " << row << ", " << column;
    }
    EXPECT_GT(checked, 2800);
    EXPECT_GT(black, 300);
    EXPECT_LT(project({0, 140, 15}).y, 0.5) << "row 0 starts at the top edge";
    // Sky between the banner and the far stand.
    for (double y = project({0, 130, 5}).y + 2; y < project(onStadium(s, 12.572f, 0, 2.605f)).y - 2; ++y)
        ASSERT_EQ(picture.at(width / 2, y), sky) << "row " << y;
    // Both goals in view, their nets' grey stripes showing.
    for (float end : {1.0f, -1.0f}) {
        const Screen a = project(onStadium(s, -1.574f, end * 17.86f, 1.268f));
        const Screen b = project(onStadium(s, 1.574f, end * 16.72f, 0.216f));
        ASSERT_TRUE(std::min(a.x, b.x) > 0 && std::max(a.x, b.x) < width) << end;
        int grey = 0;
        for (double y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y)
            for (double x = std::min(a.x, b.x); x <= std::max(a.x, b.x); ++x)
                grey += picture.at(x, y) == Rgb{175, 175, 175};
        EXPECT_GT(grey, 10) << "goal at local y " << end * 17;
    }
}

TEST_F(RenderTest, KickOffViewFromTheFarTouchlineToTheBottomEdge)
{
    placeKickOff(game.state);
    const Picture picture = draw();
    const Screen far = project(onStadium(game.state, 9.495f, 2, 0.216f));
    EXPECT_TRUE(far.y < height / 2 && far.y > height * 0.4) << far.y;
    EXPECT_NEAR(picture.whiteNear(far.x, far.y), far.y, 1.5);
    EXPECT_GT(project(onStadium(game.state, -9.43f, 2, 0.216f)).y, height) << "near touchline out of view";
    int grass = 0;
    for (int x = 0; x < width; ++x) {
        const Rgb c = picture.at(x, height - 1);
        EXPECT_TRUE(c == darkGrass || c == lightGrass || c == white) << "column " << x;
        grass += c != white;
    }
    EXPECT_GT(grass, width * 97 / 100);
    const double left = project(onStadium(game.state, 0, 17.3f, 0.7f)).x;
    const double right = project(onStadium(game.state, 0, -17.3f, 0.7f)).x;
    EXPECT_TRUE(left > 0 && left < width * 0.15 && right > width * 0.85 && right < width) << left << " " << right;
}

TEST_F(RenderTest, FiguresShowTheSideThatFacesTheCamera)
{
    struct Case {
        const char* what;
        float heading;
        bool opponent;
        std::array<float, 3> probe;  // figure-local, on the face towards the camera
        Rgb expected;
    };
    const Case cases[] = {
        {"facing the camera: the face", headingDown, false, {0, 0.1991f, 0.976f}, {226, 186, 17}},
        {"facing away: the back of the head", headingUp, false, {0, -0.1991f, 0.976f}, {0, 0, 0}},
        {"facing left: the shirt's side", headingLeft, false, {-0.1947f, 0.1f, 0.6f}, {169, 18, 9}},
        {"facing left: the head's back half", headingLeft, false, {-0.1947f, -0.1f, 0.976f}, {0, 0, 0}},
        {"opponent facing the camera: the shirt", headingDown, true, {0, 0.1991f, 0.6f}, {24, 148, 214}},
    };
    for (const Case& c : cases) {
        placeKickOff(game.state);
        const UserPlayer figure{2, -9, c.heading};
        if (c.opponent)
            game.state.defender2 = {figure.x, figure.y, figure.heading, 0};
        else
            game.state.player1 = figure;
        const Screen p = project(onFigure(figure, c.probe[0], c.probe[1], c.probe[2]));
        EXPECT_EQ(draw().at(p.x, p.y), c.expected) << c.what;
    }
}

TEST_F(RenderTest, BatchedDrawingGivesThePixelsOfOnePrimitivePerTriangleAndCell)
{
    game.state.bannerText = "         goals  3   attempts  12";
    EXPECT_TRUE(draw(MeshBatching::oneBatch).rgb == draw(MeshBatching::perTriangle).rgb) << "title view";
    placeKickOff(game.state);
    game.state.player2.heading = headingDown;  // every side of a figure somewhere
    game.state.defender1.heading = headingUp;
    game.state.ball.z = 0.5f;
    EXPECT_TRUE(draw(MeshBatching::oneBatch).rgb == draw(MeshBatching::perTriangle).rgb) << "match view";
}

TEST(DrawnRunTest, SameTraceAsUndrawnAndNoAllocationOnceWarm)
{
    const Script script =
        parseScript("2 enter\n5 left\n7 a\n8 s\n20 p\n60 p\n70 m\n75 menu-ok\n100 p\n140 r\n150 enter\n", "busy");
    std::string problem;
    const auto small = OffscreenView::create(320, 180, problem);
    ASSERT_TRUE(small) << problem;
    // Undrawn, drawn, and drawn again counting allocations: Mesa compiles its
    // shaders (with LLVM, which allocates) the first time it meets a state.
    std::string traces[3];
    for (int run = 0; run < 3; ++run) {
        HeadlessGame game(script.events, run == 0 ? nullptr : small.get());
        char row[traceRowCapacity];
        traces[run].reserve(200 * 400);
        long before = 0;
        game.run(
            200,
            [&] {
                traces[run].append(row, formatTraceRow(row, game.frames(), game.state));
                before = game.frames() == 1 ? allocationCount() : before;
            },
            [] { return true; });
        if (run == 2) {
            EXPECT_EQ(allocationCount() - before, 0);
        }
    }
    EXPECT_EQ(traces[0], traces[1]);
    EXPECT_EQ(traces[1], traces[2]);
}
