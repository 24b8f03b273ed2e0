// Test tool: prints the id of the deepest window under the pointer that takes pointer input,
// as the X server decides where a click goes (windows that let input through are passed over).
// usage: pointer_window

#include <X11/Xlib.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "pointer_window: no X display\n");
        return 1;
    }
    Window window = DefaultRootWindow(display);
    for (;;) {
        Window root, child;
        int rootX, rootY, x, y;
        unsigned mask;
        if (!XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask) ||
            child == None)
            break;
        window = child;
    }
    std::printf("%lu\n", window);
    XCloseDisplay(display);
    return 0;
}
