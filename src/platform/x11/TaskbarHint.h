#pragma once

class QWidget;

namespace revuro {

// Asks the window manager to leave the top-level `window` out of the taskbar. Call it while
// the window is created but not yet mapped, e.g. from its show event. Without X11 it does
// nothing.
void KeepOffTaskbar(QWidget& window);

}  // namespace revuro
