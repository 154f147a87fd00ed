#pragma once
// The drawing calls of a frame: per-frame drawing state under the fixed
// camera, the scene, and the frame's end. They change no game state apart
// from their own drawing scratch; the frame routine calls them only when the
// platform really draws.

struct GameState;
class Platform;

// Called once by a platform layer right after it made its OpenGL context
// current: the sky clear colour, the viewport over the whole view, and the
// identity in the projection matrix, which stays the current matrix for the
// first frame's frustum.
void prepareView(int width, int height);

// Called by a platform layer, with its context current, when its window
// changed size: the view covers the whole window again, stretched as the
// fixed 16:9 camera always is.
void resizeView(int width, int height);

// Opens every drawn frame: the projection while glSetupStep is still 3 (the
// first frame), then depth test, clear, camera, no blending, flat shading.
void setUpFrame(GameState& state);

// The match view when matchPhase is 2, the title view when it is 1.
void drawScene(GameState& state);

// Closes every drawn frame and presents it.
void finishFrame(GameState& state, Platform& platform);
