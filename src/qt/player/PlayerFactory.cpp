#include "qt/player/PlayerFactory.h"

#include "qt/player/MpvPlayer.h"

namespace revuro {

MpvPlayer* PlayerFactory::Make(const PlayerSettings& settings, QWidget* parent) const {
    return new MpvPlayer(settings, playlists_, output_, parent);
}

}  // namespace revuro
