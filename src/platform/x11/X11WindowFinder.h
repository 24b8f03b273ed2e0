#pragma once

#include <string>

#include "platform/x11/X11Display.h"

namespace revuro {

// Looks for a top-level window by its exact title, as another program's window search would:
// the root's children and, under a window manager, the client inside each frame.
bool X11TopLevelWindowExists(X11Display& display, const std::string& title);

}  // namespace revuro
