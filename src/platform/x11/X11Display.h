#pragma once

#include <X11/Xlib.h>

#include <memory>

namespace revuro {

// A connection of our own to the X server, apart from Qt's, for the few questions the program
// asks about other clients' windows.
class X11Display {
  public:
    X11Display();  // the display named by $DISPLAY
    bool IsOpen() const { return display_ != nullptr; }
    Display* get() const { return display_.get(); }

  private:
    struct Closer {
        void operator()(Display* display) const { XCloseDisplay(display); }
    };
    std::unique_ptr<Display, Closer> display_;
};

// Collects X errors of the requests made while it lives instead of letting Xlib end the process.
class X11ErrorTrap {
  public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    bool Failed();  // syncs, then tells whether any request failed

  private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*);
};

}  // namespace revuro
