#pragma once

#include <cmath>

namespace revuro {

// Layouts are given in twips; Qt lays out in logical pixels, 15 twips each.
inline constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}
inline int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace revuro
