// Test tool: prints the X screen saver's state as the server reports it: "on", "off",
// "cycle" or "disabled" (suspended by a client, or no timeout set).
// usage: screensaver_state

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "screensaver_state: no X display\n");
        return 1;
    }
    int eventBase = 0, errorBase = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)) {
        std::fprintf(stderr, "screensaver_state: no MIT-SCREEN-SAVER extension\n");
        return 1;
    }
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    XScreenSaverQueryInfo(display, DefaultRootWindow(display), info);
    const char* state = "disabled";
    if (info->state == ScreenSaverOn) state = "on";
    if (info->state == ScreenSaverOff) state = "off";
    if (info->state == ScreenSaverCycle) state = "cycle";
    std::printf("%s\n", state);
    XFree(info);
    XCloseDisplay(display);
    return 0;
}
