#pragma once

#include <QWidget>

#include "core/player/MediaPlayer.h"
#include "core/player/VideoOutput.h"

namespace revuro {

class MpvPlayer;
class PlaylistFile;

// Makes the windows' players, all drawing with the one video output chosen at start.
class PlayerFactory {
  public:
    PlayerFactory(const PlaylistFile& playlists, VideoOutput output)
        : playlists_(playlists), output_(output) {}

    VideoOutput output() const { return output_; }

    // A player with the given settings, owned by `parent`.
    MpvPlayer* Make(const PlayerSettings& settings, QWidget* parent) const;

  private:
    const PlaylistFile& playlists_;
    VideoOutput output_;
};

}  // namespace revuro
