#pragma once

#include <string>

#include "core/Result.h"
#include "core/player/MediaPlayer.h"
#include "core/player/PlaylistPlayer.h"

namespace revuro {

inline constexpr const char* kTrialTitle = "DavodoR2.0  播放电影";
inline constexpr const char* kPlayFailedTitle = "播放失败";

// The trial window's design geometry, in twips: its place and client area, and the player's
// first size.
struct TrialWindowLayout {
    static constexpr int kLeft = 6510;
    static constexpr int kTop = 4320;
    static constexpr int kClientWidth = 5370;
    static constexpr int kClientHeight = 4080;
    static constexpr int kPlayerWidth = 5415;
    static constexpr int kPlayerHeight = 4095;
};

// The saver's player settings, except that the trial player stays inside its window and offers
// no context menu.
PlayerSettings TrialPlayerSettings();

// Rows that cannot be played are passed silently, as a media player's own playlist does: the
// trial window handles no events and shows no notes.
PlaylistPlayerOptions TrialWalking();

// The critical message when the trial window cannot play what it was given: the file, if the
// failure names one, and the reason.
std::string PlayFailedText(const Error& error);

}  // namespace revuro
