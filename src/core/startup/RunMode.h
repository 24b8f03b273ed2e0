#pragma once

#include <cstdint>

namespace revuro {

// How the program was started; decided once, before any window exists.
enum class RunMode : std::int16_t {
    Unset = 0,
    Configure = 1,
    Saver = 2,
    Preview = 3,
    // Adds the program to xscreensaver's list of display modes, then ends; no window.
    XScreenSaverSetup = 4,
};

}  // namespace revuro
