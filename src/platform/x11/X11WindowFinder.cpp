#include "platform/x11/X11WindowFinder.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <memory>

namespace revuro {

namespace {

struct XFreeDeleter {
    void operator()(void* data) const { XFree(data); }
};

std::string WindowTitle(Display* display, Window window) {
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
        if (type == utf8 && format == 8) return std::string(reinterpret_cast<char*>(data), count);
    }
    XTextProperty text{};
    if (XGetWMName(display, window, &text) != 0 && text.value != nullptr) {
        std::unique_ptr<unsigned char, XFreeDeleter> owned(text.value);
        return std::string(reinterpret_cast<char*>(text.value), text.nitems);
    }
    return {};
}

std::unique_ptr<Window, XFreeDeleter> Children(Display* display, Window window,
                                               unsigned int& count) {
    Window root = 0, parent = 0, *children = nullptr;
    count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) count = 0;
    return std::unique_ptr<Window, XFreeDeleter>(children);
}

}  // namespace

bool X11TopLevelWindowExists(X11Display& display, const std::string& title) {
    if (!display.IsOpen()) return false;
    Display* x = display.get();
    X11ErrorTrap trap(x);  // windows may vanish while we look at them
    unsigned int count = 0;
    auto topLevel = Children(x, DefaultRootWindow(x), count);
    for (unsigned int i = 0; i < count; ++i) {
        const Window window = topLevel.get()[i];
        if (WindowTitle(x, window) == title) return true;
        unsigned int inner = 0;
        auto framed = Children(x, window, inner);
        for (unsigned int k = 0; k < inner; ++k) {
            if (WindowTitle(x, framed.get()[k]) == title) return true;
        }
    }
    return false;
}

}  // namespace revuro
