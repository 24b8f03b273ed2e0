#include "platform/x11/X11Monitors.h"

#include <X11/extensions/Xrandr.h>

#include <memory>

namespace revuro {

namespace {

// RandR reports monitors from version 1.5 on.
bool HasMonitors(Display* display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    return XRRQueryExtension(display, &eventBase, &errorBase) &&
           XRRQueryVersion(display, &major, &minor) && (major > 1 || (major == 1 && minor >= 5));
}

}  // namespace

std::vector<MonitorArea> X11Monitors(X11Display& display, unsigned long window) {
    std::vector<MonitorArea> monitors;
    if (!display.IsOpen() || !HasMonitors(display.get())) return monitors;
    X11ErrorTrap trap(display.get());
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display.get(), window, &attributes) == 0 || trap.Failed())
        return monitors;
    int count = 0;
    const std::unique_ptr<XRRMonitorInfo, decltype(&XRRFreeMonitors)> info(
        XRRGetMonitors(display.get(), attributes.root, True, &count), &XRRFreeMonitors);
    if (!info || trap.Failed()) return monitors;
    for (int i = 0; i < count; ++i) {
        const XRRMonitorInfo& monitor = info.get()[i];
        monitors.push_back(
            {{monitor.x, monitor.y, monitor.width, monitor.height}, monitor.primary != 0});
    }
    return monitors;
}

std::optional<ScreenArea> X11WindowArea(X11Display& display, unsigned long window) {
    if (!display.IsOpen()) return std::nullopt;
    X11ErrorTrap trap(display.get());
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display.get(), window, &attributes) == 0 || trap.Failed())
        return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display.get(), window, attributes.root, 0, 0, &x, &y, &child) ||
        trap.Failed())
        return std::nullopt;
    return ScreenArea{x, y, attributes.width, attributes.height};
}

bool X11WindowPlaysSound(unsigned long window) {
    X11Display display;
    const std::optional<ScreenArea> area = X11WindowArea(display, window);
    if (!area) return true;
    return PlaysSound(X11Monitors(display, window), *area);
}

}  // namespace revuro
