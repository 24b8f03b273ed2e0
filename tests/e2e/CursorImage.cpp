// Test tool: says which pointer the X server shows now: "blank" when every pixel of it is
// transparent, else "shown <size> <checksum>", the same text for the same picture.
// usage: cursor_image

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdint>
#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cursor_image: no X display\n");
        return 1;
    }
    int eventBase = 0, errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        std::fprintf(stderr, "cursor_image: no XFIXES extension\n");
        return 1;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (image == nullptr) {
        std::fprintf(stderr, "cursor_image: the server gave no pointer image\n");
        return 1;
    }
    bool blank = true;
    std::uint32_t checksum = 2166136261u;  // FNV-1a over the pixels, each as 32 bits ARGB
    const int pixels = image->width * image->height;
    for (int i = 0; i < pixels; ++i) {
        const auto argb = static_cast<std::uint32_t>(image->pixels[i]);
        if ((argb >> 24) != 0) blank = false;
        for (int shift = 0; shift < 32; shift += 8) {
            checksum ^= (argb >> shift) & 0xFF;
            checksum *= 16777619u;
        }
    }
    if (blank) {
        std::printf("blank\n");
    } else {
        std::printf("shown %dx%d %08x\n", image->width, image->height, checksum);
    }
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
