#include "core/saver/SoundMonitor.h"

#include <algorithm>
#include <cstdint>

namespace revuro {

namespace {

std::int64_t Area(const ScreenArea& a) {
    return static_cast<std::int64_t>(std::max(a.width, 0)) * std::max(a.height, 0);
}

std::int64_t Overlap(const ScreenArea& a, const ScreenArea& b) {
    const std::int64_t left = std::max<std::int64_t>(a.x, b.x);
    const std::int64_t top = std::max<std::int64_t>(a.y, b.y);
    const std::int64_t right =
        std::min<std::int64_t>(std::int64_t{a.x} + a.width, std::int64_t{b.x} + b.width);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{a.y} + a.height, std::int64_t{b.y} + b.height);
    return right > left && bottom > top ? (right - left) * (bottom - top) : 0;
}

}  // namespace

std::optional<std::size_t> SoundMonitor(const std::vector<MonitorArea>& monitors) {
    if (monitors.empty()) return std::nullopt;
    const auto primary = std::find_if(monitors.begin(), monitors.end(),
                                      [](const MonitorArea& monitor) { return monitor.primary; });
    return primary == monitors.end() ? 0 : static_cast<std::size_t>(primary - monitors.begin());
}

bool PlaysSound(const std::vector<MonitorArea>& monitors, const ScreenArea& window) {
    const std::optional<std::size_t> sound = SoundMonitor(monitors);
    if (!sound) return true;
    const ScreenArea& soundArea = monitors[*sound].area;
    const std::int64_t soundShare = Overlap(window, soundArea);
    if (soundShare == 0 || Area(soundArea) == 0) return false;
    // Shares compared without division: a / A > b / B exactly when a * B > b * A. Screen sizes
    // fit in 16 bits, so the products fit in 64.
    for (const MonitorArea& other : monitors) {
        if (Area(other.area) == 0) continue;
        if (Overlap(window, other.area) * Area(soundArea) > soundShare * Area(other.area))
            return false;
    }
    return true;
}

}  // namespace revuro
