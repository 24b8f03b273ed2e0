#pragma once

#include <optional>

namespace revuro {

// Fixed allowances for the trial window's title bar and frame, in twips. They are not measured:
// the player simply fills the window's outer size less these.
inline constexpr int kTrialTitleAllowance = 360;
inline constexpr int kTrialFrameAllowance = 76;

// The trial player's size in twips for a window of the given outer size (frame and title bar
// included). A dimension that would fall below zero is left out: the player keeps its size there.
struct TrialPlayerFit {
    std::optional<int> widthTwips;
    std::optional<int> heightTwips;
};

TrialPlayerFit FitTrialPlayer(int outerWidthTwips, int outerHeightTwips);

}  // namespace revuro
