#include "platform/x11/X11HostWindow.h"

namespace revuro {

Result<std::shared_ptr<X11HostWindow>> X11HostWindow::Open(unsigned long id) {
    X11Display display;
    if (!display.IsOpen()) return Error{"cannot open the X display"};
    XWindowAttributes attributes{};
    {
        X11ErrorTrap trap(display.get());
        const int status = XGetWindowAttributes(display.get(), id, &attributes);
        if (trap.Failed() || status == 0)
            return Error{"no window has the id " + std::to_string(id)};
        XSelectInput(display.get(), id, StructureNotifyMask);
        if (trap.Failed()) return Error{"the window " + std::to_string(id) + " cannot be watched"};
    }
    const QSize size(attributes.width, attributes.height);
    return std::shared_ptr<X11HostWindow>(new X11HostWindow(std::move(display), id, size));
}

X11HostWindow::X11HostWindow(X11Display display, Window window, QSize size)
    : display_(std::move(display)), window_(window), size_(size) {}

void X11HostWindow::StartWatching() {
    notifier_ =
        std::make_unique<QSocketNotifier>(ConnectionNumber(display_.get()), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &X11HostWindow::ReadEvents);
    ReadEvents();  // whatever arrived before the loop ran
}

void X11HostWindow::ReadEvents() {
    while (XPending(display_.get()) > 0) {
        XEvent event;
        XNextEvent(display_.get(), &event);
        if (event.type == ConfigureNotify && event.xconfigure.window == window_) {
            const QSize size(event.xconfigure.width, event.xconfigure.height);
            if (size != size_) {
                size_ = size;
                emit hostResized(size_);
            }
        } else if (event.type == DestroyNotify && event.xdestroywindow.window == window_) {
            // A server going down destroys every window before it drops the connections, and
            // answers no more requests: a round trip tells that apart from the host's end.
            // A lost display never returns from it (see X11ErrorPolicy).
            XSync(display_.get(), False);
            emit hostGone();
        }
    }
}

}  // namespace revuro
