#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace revuro {

// A rectangle on the X screen (or the Windows desktop), in pixels.
struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct MonitorArea {
    ScreenArea area;
    bool primary = false;
};

// The monitor whose saver plays the sound: the primary one, or without one the first listed.
// Nothing when no monitor is listed.
std::optional<std::size_t> SoundMonitor(const std::vector<MonitorArea>& monitors);

// Whether the saver playing in `window` plays the sound, when a saver runs on each monitor:
// only the one on the sound monitor does. A window lies on the monitor of which it covers the
// largest share; where shares are equal the sound monitor wins, so a window over every monitor
// plays. With no monitors listed every window plays, as a lone saver would.
bool PlaysSound(const std::vector<MonitorArea>& monitors, const ScreenArea& window);

}  // namespace revuro
