#include "platform/x11/X11Display.h"

namespace revuro {

namespace {
// Xlib's error handler is process-wide and takes no context, so the trap's flag has to be too.
bool g_errorSeen = false;

int RecordError(Display*, XErrorEvent*) {
    g_errorSeen = true;
    return 0;
}
}  // namespace

X11Display::X11Display() : display_(XOpenDisplay(nullptr)) {}

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    g_errorSeen = false;
    previous_ = XSetErrorHandler(&RecordError);
}

X11ErrorTrap::~X11ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
}

bool X11ErrorTrap::Failed() {
    XSync(display_, False);
    return g_errorSeen;
}

}  // namespace revuro
