// Drawn frames in the headless view: the OpenGL state the camera leaves,
// where the camera puts the world, the banner, the title and kick-off views,
// the figures' faces, and that batching and drawing change nothing else.

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <memory>
#include <span>

#include "gl_support.h"
#include "platform/headless/headless_game.h"
#include "platform/headless/offscreen_view.h"
#include "platform/headless/script.h"
#include "platform/headless/trace.h"
#include "render/frame.h"

namespace {

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = std::make_unique<HeadlessGame>(std::span<const ScriptEvent>{}, &testView());
        ASSERT_TRUE(game->start());
    }
    void TearDown() override { game->stop(); }

    Picture draw(MeshBatching batching = MeshBatching::oneBatch)
    {
        return drawFrame(game->state, game->platform, batching);
    }

    std::unique_ptr<HeadlessGame> game;
};

bool isGrey(Rgb c)
{
    return c.r == c.g && c.g == c.b && (c.r == 127 || c.r == 128);
}

bool isGrass(Rgb c)
{
    return c == darkGrass || c == lightGrass;
}

// The middle row of the white pixels of `column` within `window` rows of
// `aroundY`, or NAN when there are none.
double whiteRowNear(const Picture& picture, int column, double aroundY, int window)
{
    int first = -1, last = -1;
    for (int y = int(aroundY) - window; y <= int(aroundY) + window; ++y) {
        if (y >= 0 && y < picture.height && picture.at(column, y) == lineWhite) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    return first < 0 ? NAN : (first + last) / 2.0 + 0.5;
}

void expectMatrix(GLenum which, const std::array<double, 16>& expected)
{
    float m[16];
    glGetFloatv(which, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], expected[i], 1e-5 * std::max(1.0, std::abs(expected[i]))) << "element " << i;
}

}  // namespace

TEST_F(RenderTest, FrustumAppliedOnceAndTheCameraSetEveryFrame)
{
    // Title, match, pause and back: many frames through the frame routine.
    const Script script = parseScript("2 enter\n10 p\n50 r\n60 enter\n", "frames");
    game->stop();
    game = std::make_unique<HeadlessGame>(script.events, &testView());
    ASSERT_TRUE(game->start());
    for (int i = 0; i < 80; ++i)
        ASSERT_TRUE(game->turn());
    EXPECT_EQ(game->state.glSetupStep, 5);
    EXPECT_EQ(game->platform.framesPresented, 80);

    // glFrustum(-1.0264, 1.0264, -0.57735, 0.57735, 1, 1000), column by column.
    const double n = 1, f = 1000, r = 1.0264, t = 0.57735;
    expectMatrix(GL_PROJECTION_MATRIX,
                 {n / r, 0, 0, 0, 0, n / t, 0, 0, 0, 0, -(f + n) / (f - n), -1, 0, 0, -2 * f * n / (f - n), 0});
    // Translation (0, 0, -30) times a turn of 300 degrees about x.
    const double c = 0.5, s = -std::sqrt(3.0) / 2;
    expectMatrix(GL_MODELVIEW_MATRIX, {1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, -30, 1});

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ((std::array{viewport[0], viewport[1], viewport[2], viewport[3]}),
              (std::array{0, 0, viewWidth, viewHeight}));
    // The frame's end leaves blending and the depth test off.
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(RenderTest, WorldOriginOnTheExactCentreAndEqualDepthReplaces)
{
    setUpFrame(game->state);
    // A square facing the eye around the origin, one pixel each way: it
    // covers exactly the four pixels around the centre of the view.
    const float across = 30.0f * 1.0264f * 2 / viewWidth;
    const float up = 30.0f * 0.57735f * 2 / viewHeight;
    const auto square = [&](float red, float blue) {
        glColor4f(red, 0, blue, 1);
        glBegin(GL_QUADS);
        for (const auto& [sx, sy] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}})
            glVertex3f(sx * across, sy * up * 0.5f, sy * up * 0.8660254f);
        glEnd();
    };
    square(1, 0);
    square(0, 1);  // same depth: the later one wins
    finishFrame(game->state, game->platform);
    const Picture picture = readView();

    const int cx = viewWidth / 2, cy = viewHeight / 2;
    for (int y = cy - 3; y < cy + 3; ++y) {
        for (int x = cx - 3; x < cx + 3; ++x) {
            const bool inside = (x == cx - 1 || x == cx) && (y == cy - 1 || y == cy);
            EXPECT_EQ(picture.at(x, y) == (Rgb{0, 0, 255}), inside) << x << ", " << y;
            EXPECT_NE(picture.at(x, y), (Rgb{255, 0, 0}));
        }
    }
}

TEST_F(RenderTest, TitleViewBannerSkyAndTheWholePitch)
{
    ASSERT_TRUE(game->turn());  // a real title frame
    const Picture picture = readView();
    const GameState& state = game->state;
    ASSERT_EQ(state.matchPhase, 1);

    // Every banner cell in view shows its grey or the black of the text.
    int checked = 0, black = 0;
    for (int row = 0; row < bannerRows; ++row) {
        for (int column = 0; column < bannerColumns; ++column) {
            const ScreenPoint p = project({-170.0f + column + 0.5f, 140.0f - row - 0.5f, 15.0f - row - 0.5f});
            if (p.x < 3 || p.x > viewWidth - 3)
                continue;
            const int i = row * bannerColumns + column;
            const Rgb seen = picture.at(int(p.x), int(p.y));
            if (state.bannerRed[i] == 0.0f) {
                EXPECT_EQ(seen, (Rgb{0, 0, 0})) << "cell " << row << ", " << column;
                ++black;
            } else {
                EXPECT_TRUE(isGrey(seen)) << "cell " << row << ", " << column;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 2800);
    EXPECT_GT(black, 300);
    EXPECT_LT(project({0, 140, 15}).y, 0.5);  // the banner's top edge is the view's

    // Sky between the banner and the far stand.
    const double bannerBottom = project({0, 130, 5}).y;
    const double standTop = project(titleStadiumPoint(12.572f, 0, 2.605f)).y;
    ASSERT_LT(bannerBottom + 20, standTop);
    for (int y = int(bannerBottom) + 2; y < int(standTop) - 2; ++y)
        ASSERT_EQ(picture.at(viewWidth / 2, y), skyColour) << "row " << y;

    // The far touchline about halfway down, the near one along the bottom.
    const ScreenPoint far = project(titleStadiumPoint(9.495f, 5, 0.216f));
    const ScreenPoint near = project(titleStadiumPoint(-9.495f, 5, 0.216f));
    EXPECT_NEAR(far.y, viewHeight / 2.0, viewHeight * 0.05);
    EXPECT_NEAR(whiteRowNear(picture, int(far.x), far.y, 4), far.y, 1.5);
    EXPECT_GT(near.y, viewHeight * 0.95);
    EXPECT_NEAR(whiteRowNear(picture, int(near.x), near.y, 4), near.y, 1.5);

    // Both goals wholly in view, their nets showing.
    for (float end : {1.0f, -1.0f}) {
        double left = viewWidth, right = 0, top = viewHeight, bottom = 0;
        for (float x : {-1.574f, 1.574f})
            for (float y : {16.72f, 17.86f})
                for (float z : {0.216f, 1.268f}) {
                    const ScreenPoint p = project(titleStadiumPoint(x, end * y, z));
                    left = std::min(left, p.x), right = std::max(right, p.x);
                    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
                }
        EXPECT_GT(left, 0);
        EXPECT_LT(right, viewWidth);
        int grey = 0;
        for (int y = int(top); y <= int(bottom); ++y)
            for (int x = int(left); x <= int(right); ++x)
                grey += picture.at(x, y) == netGrey;
        EXPECT_GT(grey, 10) << "goal at local y " << end * 17;
    }
}

TEST_F(RenderTest, KickOffViewFromTheFarTouchlineDownToTheBottomEdge)
{
    GameState& state = game->state;
    placeKickOff(state);
    const Picture picture = draw();

    const ScreenPoint far = project(matchStadiumPoint(state, 9.495f, 2, 0.216f));
    EXPECT_LT(far.y, viewHeight / 2.0);
    EXPECT_GT(far.y, viewHeight * 0.4);
    EXPECT_NEAR(whiteRowNear(picture, int(far.x), far.y, 4), far.y, 1.5);
    EXPECT_GT(project(matchStadiumPoint(state, -9.43f, 2, 0.216f)).y, viewHeight);

    int grass = 0;
    for (int x = 0; x < viewWidth; ++x) {
        const Rgb c = picture.at(x, viewHeight - 1);
        EXPECT_TRUE(isGrass(c) || c == lineWhite) << "column " << x;
        grass += isGrass(c);
    }
    EXPECT_GT(grass, viewWidth * 97 / 100);

    // The goals stand near the left and right edges.
    const ScreenPoint left = project(matchStadiumPoint(state, 0, 17.3f, 0.7f));
    const ScreenPoint right = project(matchStadiumPoint(state, 0, -17.3f, 0.7f));
    EXPECT_GT(left.x, 0);
    EXPECT_LT(left.x, viewWidth * 0.15);
    EXPECT_GT(right.x, viewWidth * 0.85);
    EXPECT_LT(right.x, viewWidth);
}

TEST_F(RenderTest, FiguresShowTheSideThatFacesTheCamera)
{
    struct Case {
        const char* what;
        float heading;
        bool opponent;
        std::array<float, 3> probe;  // figure-local point on the face towards the camera
        Rgb expected;
    };
    const Case cases[] = {
        {"facing the camera: the face", headingDown, false, {0, 0.1991f, 0.976f}, {226, 186, 17}},
        {"facing away: the back of the head", headingUp, false, {0, -0.1991f, 0.976f}, {0, 0, 0}},
        {"facing away: the shirt's back", headingUp, false, {0, -0.1991f, 0.6f}, {205, 23, 17}},
        {"facing left: the shirt's side", headingLeft, false, {-0.1947f, 0.1f, 0.6f}, {169, 18, 9}},
        {"facing left: the face's side", headingLeft, false, {-0.1947f, 0.1f, 0.976f}, {226, 186, 17}},
        {"facing left: the head's back half", headingLeft, false, {-0.1947f, -0.1f, 0.976f}, {0, 0, 0}},
        {"an opponent facing right: the shirt's side", headingRight, true, {0.1947f, 0.1f, 0.6f}, {19, 117, 169}},
        {"an opponent facing the camera: the shirt", headingDown, true, {0, 0.1991f, 0.6f}, {24, 148, 214}},
    };
    GameState& state = game->state;
    for (const Case& c : cases) {
        placeKickOff(state);
        UserPlayer figure{2.0f, -9.0f, c.heading};
        if (c.opponent)
            state.defender2 = {figure.x, figure.y, figure.heading, 0.0f};
        else
            state.player1 = figure;
        const Picture picture = draw();
        const ScreenPoint p = project(figurePoint(figure, c.probe[0], c.probe[1], c.probe[2]));
        EXPECT_EQ(picture.at(int(p.x), int(p.y)), c.expected) << c.what;
    }
}

TEST_F(RenderTest, OneBatchPerMeshGivesTheSamePixelsAsOnePrimitivePerTriangle)
{
    GameState& state = game->state;
    for (int view = 0; view < 2; ++view) {
        if (view == 1) {
            placeKickOff(state);
            state.player2.heading = headingDown;  // every side of a figure somewhere
            state.defender1.heading = headingUp;
            state.ball.z = 0.5f;
        }
        state.bannerText = "         goals  3   attempts  12";
        const Picture batched = draw(MeshBatching::oneBatch);
        const Picture plain = draw(MeshBatching::perTriangle);
        std::size_t differing = 0;
        for (std::size_t i = 0; i < batched.rgb.size(); i += 3)
            differing += batched.rgb[i] != plain.rgb[i] || batched.rgb[i + 1] != plain.rgb[i + 1] ||
                         batched.rgb[i + 2] != plain.rgb[i + 2];
        EXPECT_EQ(differing, 0u) << (view == 0 ? "title view" : "match view");
    }
}

TEST(DrawnRunTest, TraceIsTheSameWithAndWithoutDrawing)
{
    const Script script = parseScript(
        "2 enter\n5 left\n6 up\n7 a\n8 s\n20 p\n60 p\n70 m\n75 menu-ok\n90 right\n100 p\n140 r\n150 enter\n", "busy");
    ASSERT_EQ(script.error, "");
    std::string problem;
    const auto view = OffscreenView::create(320, 180, problem);
    ASSERT_TRUE(view) << problem;
    std::string traces[2];
    for (int drawn = 0; drawn < 2; ++drawn) {
        HeadlessGame game(script.events, drawn ? view.get() : nullptr);
        char row[traceRowCapacity];
        game.run(
            200, [&] { traces[drawn].append(row, formatTraceRow(row, game.frames(), game.state)); },
            [] { return true; });
        EXPECT_EQ(game.frames(), 200);
    }
    EXPECT_EQ(traces[0], traces[1]);
}
