#pragma once
// What the headless platform asks of a view it draws into. The platform and
// the game need nothing more, so they build on every target; the EGL view
// that implements this lives beside them on Linux only.

class HeadlessView {
public:
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Makes the view's context current on this thread; releases it.
    virtual void makeCurrent() = 0;
    virtual void release() = 0;
    // Presents the frame just drawn.
    virtual void present() = 0;

protected:
    ~HeadlessView() = default;
};
