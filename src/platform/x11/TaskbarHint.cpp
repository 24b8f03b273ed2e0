#include "platform/x11/TaskbarHint.h"

#include <QGuiApplication>
#include <QWidget>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace revuro {

namespace {
// Whether the atom list `property` of the window already holds `wanted`.
bool HasState(Display* display, Window window, Atom property, Atom wanted) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, XA_ATOM, &type, &format,
                           &count, &remaining, &data) != Success) {
        return false;
    }
    bool found = false;
    if (type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == wanted;
    }
    if (data) XFree(data);
    return found;
}
}  // namespace

void KeepOffTaskbar(QWidget& window) {
    // Other platforms may answer for X11 too (offscreen does) without a display of their own.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window.isWindow()) return;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return;
    const auto id = static_cast<Window>(window.winId());
    // An unmapped window carries its state as a property; Qt merges its own states into it
    // when it maps the window.
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom skipTaskbar = XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False);
    if (HasState(display, id, state, skipTaskbar)) return;
    XChangeProperty(display, id, state, XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<const unsigned char*>(&skipTaskbar), 1);
    XFlush(display);
}

}  // namespace revuro
