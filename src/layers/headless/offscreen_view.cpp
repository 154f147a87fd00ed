#include "layers/headless/offscreen_view.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

namespace {

std::string eglProblem(const char* what)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
    return std::string(what) + " (EGL error " + code + ")";
}

}  // namespace

std::unique_ptr<OffscreenView> OffscreenView::create(int width, int height, std::string& error)
{
    std::unique_ptr<OffscreenView> view(new OffscreenView);
    view->viewWidth = width;
    view->viewHeight = height;

    EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) {
        error = eglProblem("no surfaceless EGL display");
        return nullptr;
    }
    if (!eglInitialize(display, nullptr, nullptr)) {
        error = eglProblem("EGL would not initialise");
        return nullptr;
    }
    view->display = display;
    if (!eglBindAPI(EGL_OPENGL_API)) {
        error = eglProblem("EGL offers no desktop OpenGL");
        return nullptr;
    }

    // 24 colour bits like the game's window, and the deepest depth buffer on
    // offer (the game asks for 32 bits).
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                             EGL_RED_SIZE,     8,               EGL_GREEN_SIZE,      8,
                             EGL_BLUE_SIZE,    8,               EGL_DEPTH_SIZE,      24,
                             EGL_NONE};
    EGLConfig configs[64];
    EGLint found = 0;
    EGLConfig config = nullptr;
    EGLint deepest = 0;
    eglChooseConfig(display, wanted, configs, 64, &found);
    for (EGLint i = 0; i < found; ++i) {
        EGLint red = 0, depth = 0;
        eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &red);
        eglGetConfigAttrib(display, configs[i], EGL_DEPTH_SIZE, &depth);
        if (red == 8 && depth > deepest)
            config = configs[i], deepest = depth;
    }
    if (config == nullptr) {
        error = eglProblem("no EGL configuration for an OpenGL pbuffer with a depth buffer");
        return nullptr;
    }
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    view->surface = eglCreatePbufferSurface(display, config, size);
    if (view->surface == EGL_NO_SURFACE) {
        error = eglProblem("cannot make a pbuffer of that size");
        return nullptr;
    }
    view->context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (view->context == EGL_NO_CONTEXT) {
        error = eglProblem("cannot make an OpenGL context");
        return nullptr;
    }
    if (!eglMakeCurrent(display, view->surface, view->surface, view->context)) {
        error = eglProblem("cannot make the OpenGL context current");
        return nullptr;
    }
    return view;
}

OffscreenView::~OffscreenView()
{
    if (display == nullptr)
        return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != nullptr)
        eglDestroyContext(display, context);
    if (surface != nullptr)
        eglDestroySurface(display, surface);
    // Every view of the process shares the one display: it stays initialised.
}

void OffscreenView::makeCurrent()
{
    eglMakeCurrent(display, surface, surface, context);
}

void OffscreenView::release()
{
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

void OffscreenView::present()
{
    eglSwapBuffers(display, surface);
    glFinish();
}

void OffscreenView::readPixels(std::uint8_t* rgb)
{
    const std::size_t row = static_cast<std::size_t>(viewWidth) * 3;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, viewWidth, viewHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    // OpenGL's first row is the bottom one.
    for (int top = 0, bottom = viewHeight - 1; top < bottom; ++top, --bottom) {
        std::uint8_t* a = rgb + row * static_cast<std::size_t>(top);
        std::swap_ranges(a, a + row, rgb + row * static_cast<std::size_t>(bottom));
    }
}
