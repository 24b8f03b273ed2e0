// Test tool: does to another client's window what a misbehaving preview host might do, and
// says whether the X server took it.
// usage: host_control destroy <id> | host_control resize <id> <width> <height>
// Prints "done" or "rejected: <error>"; exits 2 on bad usage, 1 without a display.

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int lastError = 0;

int RecordError(Display*, XErrorEvent* event) {
    lastError = event->error_code;
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool destroy = argc == 3 && std::strcmp(argv[1], "destroy") == 0;
    const bool resize = argc == 5 && std::strcmp(argv[1], "resize") == 0;
    if (!destroy && !resize) {
        std::fprintf(stderr, "usage: host_control destroy <id> | resize <id> <width> <height>\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "host_control: no X display\n");
        return 1;
    }
    XSetErrorHandler(RecordError);
    const Window window = std::strtoul(argv[2], nullptr, 10);
    if (destroy) {
        XDestroyWindow(display, window);
    } else {
        XResizeWindow(display, window, std::strtoul(argv[3], nullptr, 10),
                      std::strtoul(argv[4], nullptr, 10));
    }
    XSync(display, False);
    if (lastError != 0) {
        char text[128];
        XGetErrorText(display, lastError, text, sizeof text);
        std::printf("rejected: %s\n", text);
    } else {
        std::printf("done\n");
    }
    XCloseDisplay(display);
    return 0;
}
