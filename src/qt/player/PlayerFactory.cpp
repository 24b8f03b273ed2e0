#include "qt/player/PlayerFactory.h"

#include "core/Paths.h"
#include "core/player/RoutingBackend.h"
#include "qt/player/FlashBackend.h"
#include "qt/player/MpvBackend.h"
#include "qt/player/PlayerControl.h"

namespace revuro {

namespace {

// The Flash helper beside the program; a build without the web engine has none.
constexpr const char* kFlashHelper = "revuro-flash";

}  // namespace

PlayerFactory::PlayerFactory(const NarrowCodec& codec, VideoOutput output)
    : reader_(files_, codec), output_(output) {}

PlayerControl* PlayerFactory::Make(const PlayerSettings& settings, PlaylistPlayerOptions options,
                                   QWidget* parent) const {
    const VideoOutput output = output_;
    return new PlayerControl(
        settings, std::move(options), reader_,
        [output](QWidget& videoArea) {
            return std::make_unique<RoutingBackend>(
                std::make_unique<MpvBackend>(videoArea, output),
                std::make_unique<FlashBackend>(videoArea, output,
                                               PathBeside(ProgramFolder(), kFlashHelper)),
                MediaKind::Flash);
        },
        parent);
}

}  // namespace revuro
