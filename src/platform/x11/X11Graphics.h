#pragma once

#include "core/player/VideoOutput.h"

namespace revuro {

// What OpenGL the X display offers, asked on a connection of our own: whether the server lets
// clients render directly, and only then OpenGL's renderer, through EGL as the player draws
// (the driver loads here, as it would in the player; without direct rendering nothing loads).
// Draws nothing and shows no window.
DisplayGraphics X11DisplayGraphics();

}  // namespace revuro
