// Tells the desktop tests what the X server knows:
//   cursor_probe          "shown" or "hidden": whether the mouse cursor can be
//                         seen, from the image the server would draw now
//   cursor_probe WINDOW   the class of that window (the second WM_CLASS string)

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cursor_probe: no display\n");
        return 2;
    }
    if (argc == 2) {
        XClassHint hint{};
        if (XGetClassHint(display, std::strtoul(argv[1], nullptr, 0), &hint) == 0) {
            std::fprintf(stderr, "cursor_probe: window %s has no class\n", argv[1]);
            return 2;
        }
        std::printf("%s\n", hint.res_class);
        XFree(hint.res_name);
        XFree(hint.res_class);
        XCloseDisplay(display);
        return 0;
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
