#include "core/saver/FrmScrLogic.h"

#include "core/Paths.h"
#include "core/store/PlayOptions.h"

namespace revuro {

FrmScrLogic::FrmScrLogic(RunMode mode, std::string programFolder, std::string playlist,
                         MediaPlayer& wmp, SettingsStore& settings, FrmScrView& view,
                         FileProbe canOpen, char separator)
    : mode_(mode),
      programFolder_(std::move(programFolder)),
      playlist_(std::move(playlist)),
      wmp_(wmp),
      settings_(settings),
      view_(view),
      canOpen_(std::move(canOpen)),
      separator_(separator) {}

Outcome FrmScrLogic::PointPlayerAt(const std::string& path) {
    if (Outcome set = wmp_.SetURL(path); !set) return set;
    if (IsPreview()) {
        if (Outcome off = wmp_.SetFullScreen(false); !off) return off;
    }
    return wmp_.SetEnableErrorDialogs(true);
}

void FrmScrLogic::LoadFallback() {
    // Not tested for existence: a missing picture is the player's error, handled like any other.
    (void)PointPlayerAt(PathBeside(programFolder_, kFallbackPictureName, separator_));
}

void FrmScrLogic::Form_Load() {
    view_.PlaceOverDesktop();
    if (!canOpen_(playlist_) || !PointPlayerAt(playlist_)) LoadFallback();
}

void FrmScrLogic::Form_Resize(int widthTwips, int heightTwips) {
    // The player leaves a strip of one twip free on the right and at the bottom.
    if (widthTwips >= 1 && heightTwips >= 1) view_.SetPlayerSize(widthTwips - 1, heightTwips - 1);
    if (IsPreview()) (void)wmp_.SetUiMode(kUiModeNone);
}

void FrmScrLogic::wmp_PlayStateChange(std::int32_t /*newState*/) {
    // Both are read at every change: a loop choice saved while the saver runs counts at once.
    const bool loop = play_options::IsOn(play_options::Read(settings_, play_options::kLoopKey));
    if (wmp_.PlayState() == kReady && loop) wmp_.Play();
}

void FrmScrLogic::wmp_Error() {
    wmp_.Next();
    wmp_.ClearErrorQueue();
}

void FrmScrLogic::wmp_MediaError(const std::string& /*item*/) { wmp_.Next(); }

void FrmScrLogic::wmp_DoubleClick(std::int16_t, std::int16_t, std::int32_t, std::int32_t) {
    if (!IsPreview()) view_.Repaint();
}

void FrmScrLogic::wmp_KeyDown(std::int16_t, std::int16_t) {
    if (!IsPreview()) view_.TerminateNow();
}

}  // namespace revuro
