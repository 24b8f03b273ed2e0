#include "qt/player/PlayerFactory.h"

#include "qt/player/MpvBackend.h"
#include "qt/player/PlayerControl.h"

namespace revuro {

PlayerFactory::PlayerFactory(const NarrowCodec& codec, VideoOutput output)
    : reader_(files_, codec), output_(output) {}

PlayerControl* PlayerFactory::Make(const PlayerSettings& settings, PlaylistPlayerOptions options,
                                   QWidget* parent) const {
    const VideoOutput output = output_;
    return new PlayerControl(
        settings, std::move(options), reader_,
        [output](QWidget& videoArea) { return std::make_unique<MpvBackend>(videoArea, output); },
        parent);
}

}  // namespace revuro
