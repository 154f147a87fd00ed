#include "render/frame.h"

#include <GL/gl.h>

#include "state/game_state.h"
#include "platform/platform.h"

void prepareView(int width, int height)
{
    glClearColor(0.0f, 0.91f, 1.0f, 1.0f);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

void resizeView(int width, int height)
{
    glViewport(0, 0, width, height);
}

void setUpFrame(GameState& state)
{
    // A 60 degree vertical field of view at a fixed 16:9, however wide the
    // view: other shapes stretch the picture rather than crop it.
    if (state.glSetupStep == glSetupStep::contextReady) {
        glFrustum(-1.0264, 1.0264, -0.57735, 0.57735, 1.0, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthRange(0.1, 100.0);  // clamped to (0.1, 1)
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    state.drawIndex = 0;
    // The eye ends up at (0, -25.98, 15), looking 30 degrees down along +y.
    glTranslatef(0.0f, 0.0f, -30.0f);
    glRotatef(300.0f, 1.0f, 0.0f, 0.0f);
    // Every colour is opaque (alpha 1), so blending could never change a
    // pixel: it stays off. Every triangle has one colour, so flat shading
    // gives it that colour exactly, with nothing to interpolate.
    glDisable(GL_BLEND);
    glShadeModel(GL_FLAT);
    glDepthMask(GL_TRUE);
}

void finishFrame(GameState&, Platform& platform)
{
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    platform.presentFrame();
}
