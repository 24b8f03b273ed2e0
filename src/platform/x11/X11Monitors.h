#pragma once

#include <optional>
#include <vector>

#include "core/saver/SoundMonitor.h"
#include "platform/x11/X11Display.h"

namespace revuro {

// The RandR monitors of the screen `window` is on, in the server's order; empty when the
// server has no RandR 1.5 or the window is gone.
std::vector<MonitorArea> X11Monitors(X11Display& display, unsigned long window);

// Where the window lies on its screen; nothing when it is gone.
std::optional<ScreenArea> X11WindowArea(X11Display& display, unsigned long window);

// Whether a saver playing in another program's `window` plays the sound (PlaysSound); true
// when the display cannot tell, as a lone saver would.
bool X11WindowPlaysSound(unsigned long window);

}  // namespace revuro
