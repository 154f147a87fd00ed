#pragma once
// Drawn frames for the render tests: one offscreen view per test program,
// a frame of any game state drawn into it and read back, and the camera
// worked out independently, to say where a world point must appear.

#include <cstdint>
#include <vector>

#include "app/game_state.h"
#include "render/scene.h"

class OffscreenView;
class HeadlessPlatform;

constexpr int viewWidth = 1280, viewHeight = 720;

// The program's view, made on first use; fails the test when this machine
// cannot draw.
OffscreenView& testView();

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb skyColour{0, 232, 255};
constexpr Rgb darkGrass{13, 145, 19}, lightGrass{8, 180, 15}, lineWhite{255, 255, 255};
constexpr Rgb netGrey{175, 175, 175};

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // top row first
    // (x, y) in pixels from the top-left corner.
    Rgb at(int x, int y) const;
};

// The presented picture of the view.
Picture readView();

// One frame of `state` as the frame routine draws it, with the banner
// showing state.bannerText, then read back. The platform's main window must
// have been made.
Picture drawFrame(GameState& state, HeadlessPlatform& platform, MeshBatching batching = MeshBatching::oneBatch);

// The kick-off layout, set directly.
void placeKickOff(GameState& state);

// A mesh-local point of the stadium where the match view at the state's
// anchor, or the title view, puts it; likewise a point of a figure.
WorldPoint matchStadiumPoint(const GameState& state, float lx, float ly, float lz);
WorldPoint titleStadiumPoint(float lx, float ly, float lz);
WorldPoint figurePoint(const UserPlayer& figure, float lx, float ly, float lz);

// Where the camera puts a world point, in pixels from the top-left corner
// of a viewWidth x viewHeight view.
struct ScreenPoint {
    double x, y;
};
ScreenPoint project(const WorldPoint& p);
