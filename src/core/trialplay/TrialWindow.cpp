#include "core/trialplay/TrialWindow.h"

namespace revuro {

PlayerSettings TrialPlayerSettings() {
    PlayerSettings settings;
    settings.enableContextMenu = false;
    settings.fullScreen = false;
    return settings;
}

PlaylistPlayerOptions TrialWalking() {
    PlaylistPlayerOptions options;
    options.skipUnplayable = true;
    return options;
}

}  // namespace revuro
