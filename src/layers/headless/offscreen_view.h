#pragma once
// The headless layer's OpenGL view: a desktop OpenGL context on Mesa's
// surfaceless EGL platform, drawing into a pbuffer of the view's size. On a
// machine without a GPU Mesa draws in software; with one, the same code uses
// it.

#include <cstdint>
#include <memory>
#include <string>

#include "layers/headless/headless_view.h"

class OffscreenView final : public HeadlessView {
public:
    // Largest width and height accepted for a view: as large as Mesa makes
    // a pbuffer.
    static constexpr int maxSide = 4096;

    // Makes the context and its pbuffer, current on this thread. Returns
    // nullptr and a one-line reason when this machine cannot draw.
    static std::unique_ptr<OffscreenView> create(int width, int height, std::string& error);
    ~OffscreenView();
    OffscreenView(const OffscreenView&) = delete;
    OffscreenView& operator=(const OffscreenView&) = delete;

    int width() const override { return viewWidth; }
    int height() const override { return viewHeight; }

    // Makes the context current on this thread again; releases it.
    void makeCurrent() override;
    void release() override;

    // Presents the frame. A pbuffer has nothing to swap, so this waits until
    // the frame is really drawn.
    void present() override;

    // Reads the presented picture as RGB, top row first: width * height * 3
    // bytes.
    void readPixels(std::uint8_t* rgb);

private:
    OffscreenView() = default;

    void* display = nullptr;
    void* surface = nullptr;
    void* context = nullptr;
    int viewWidth = 0, viewHeight = 0;
};
