#include "core/trialplay/TrialWindow.h"

#include "core/ReasonText.h"

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

std::string PlayFailedText(const Error& error) {
    std::string text = "对不起！无法播放。\r\n";
    if (!error.path.empty()) text += "文件：" + error.path + "\r\n";
    return text + "原因：" + ReasonText(error);
}

}  // namespace revuro
