// Tells whether the mouse cursor on the X display can be seen: prints
// "shown" or "hidden" from the image the server would draw now.

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cursor_probe: no display\n");
        return 2;
    }
    XFixesCursorImage* cursor = XFixesGetCursorImage(display);
    if (cursor == nullptr) {
        std::fprintf(stderr, "cursor_probe: no cursor image\n");
        return 2;
    }
    bool visible = false;
    for (int i = 0; i < cursor->width * cursor->height; ++i)
        visible = visible || (cursor->pixels[i] >> 24) != 0;
    std::printf("%s\n", visible ? "shown" : "hidden");
    XFree(cursor);
    XCloseDisplay(display);
    return 0;
}
