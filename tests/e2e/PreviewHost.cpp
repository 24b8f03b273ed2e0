// Test tool: stands in for a desktop's preview area. Opens a plain top-level X window of the
// given size, prints its id in decimal, and keeps it until the process is ended. With
// "unmapped" the window is never shown, as a host that fails half-way might leave it. The
// window has a pointer of its own, a still picture unlike any cursor theme's, as a settings
// program may set one over its preview.
// usage: preview_host <width> <height> [unmapped]

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A 16x16 frame with a dot in its middle.
Cursor OwnPointer(Display* display, Window window) {
    static const unsigned char kShape[32] = {0xff, 0xff, 0x01, 0x80, 0x01, 0x80, 0x01, 0x80,
                                             0x01, 0x80, 0x01, 0x80, 0xc1, 0x83, 0xc1, 0x83,
                                             0xc1, 0x83, 0xc1, 0x83, 0x01, 0x80, 0x01, 0x80,
                                             0x01, 0x80, 0x01, 0x80, 0x01, 0x80, 0xff, 0xff};
    const Pixmap shape =
        XCreateBitmapFromData(display, window, reinterpret_cast<const char*>(kShape), 16, 16);
    XColor black{}, white{};
    white.red = white.green = white.blue = 0xffff;
    const Cursor cursor = XCreatePixmapCursor(display, shape, shape, &black, &white, 8, 8);
    XFreePixmap(display, shape);
    return cursor;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool unmapped = argc == 4 && std::strcmp(argv[3], "unmapped") == 0;
    if (argc != 3 && !unmapped) {
        std::fprintf(stderr, "usage: preview_host <width> <height> [unmapped]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "preview_host: no X display\n");
        return 1;
    }
    const Window window = XCreateSimpleWindow(
        display, DefaultRootWindow(display), 10, 10, std::atoi(argv[1]), std::atoi(argv[2]), 0,
        WhitePixel(display, DefaultScreen(display)), WhitePixel(display, DefaultScreen(display)));
    XStoreName(display, window, "preview host");
    XDefineCursor(display, window, OwnPointer(display, window));
    if (!unmapped) XMapWindow(display, window);
    XSync(display, False);
    std::printf("%lu\n", window);
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
    }
}
