#pragma once

#include <future>

#include "core/player/VideoOutput.h"

namespace revuro {

// What OpenGL the X display offers, asked on a connection of our own: whether the server lets
// clients render directly, and only then OpenGL's renderer, through EGL as the player draws
// (the driver loads here, as it would in the player; without direct rendering nothing loads).
// Draws nothing and shows no window.
DisplayGraphics X11DisplayGraphics();

// The same question on a thread of its own, so that loading a graphics driver overlaps the
// application object's start; get() waits for the answer. Called while no other thread uses
// Xlib. X errors meet the program's note-and-go-on handler meanwhile, not Xlib's exit.
std::future<DisplayGraphics> X11DisplayGraphicsAsync();

}  // namespace revuro
