#pragma once

#include <QWidget>

#include "core/player/LocalMediaFiles.h"
#include "core/player/PlaylistPlayer.h"
#include "core/player/PlaylistReader.h"
#include "core/player/VideoOutput.h"
#include "platform/NarrowCodec.h"

namespace revuro {

class PlayerControl;

// Makes the forms' players: one control each, all reading lists alike and drawing with the one
// video output chosen at start: Flash movies with the Flash helper, everything else with mpv.
class PlayerFactory {
  public:
    PlayerFactory(const NarrowCodec& codec, VideoOutput output);

    VideoOutput output() const { return output_; }

    // A player control with the given settings and walking options, owned by `parent`.
    PlayerControl* Make(const PlayerSettings& settings, PlaylistPlayerOptions options,
                        QWidget* parent) const;

  private:
    LocalMediaFiles files_;
    PlaylistReader reader_;
    VideoOutput output_;
};

}  // namespace revuro
