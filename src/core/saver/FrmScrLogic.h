#pragma once

#include <functional>
#include <string>

#include "core/player/MediaPlayer.h"
#include "core/saver/FrmScrView.h"
#include "core/startup/RunMode.h"
#include "core/store/SettingsStore.h"
#include "platform/ProgramFolder.h"

namespace revuro {

inline constexpr const char* kFallbackPictureName = "first.bmp";

// The saver window's behaviour: where the player is pointed when the window loads, how the
// player is fitted, and the reactions to the player's events.
class FrmScrLogic : public MediaPlayerEvents {
  public:
    using FileProbe = std::function<bool(const std::string& path)>;

    // `playlist`: the list to play (PlaylistPlaces::toRead); the fallback picture lies in
    // `programFolder`.
    FrmScrLogic(RunMode mode, std::string programFolder, std::string playlist, MediaPlayer& wmp,
                SettingsStore& settings, FrmScrView& view, FileProbe canOpen,
                char separator = NativePathSeparator());

    void Form_Load();
    void Form_Resize(int widthTwips, int heightTwips);

    void wmp_PlayStateChange(std::int32_t newState) override;
    void wmp_Error() override;
    void wmp_MediaError(const std::string& item) override;
    void wmp_DoubleClick(std::int16_t button, std::int16_t shift, std::int32_t x,
                         std::int32_t y) override;
    void wmp_KeyDown(std::int16_t keyCode, std::int16_t shift) override;

  private:
    bool IsPreview() const { return mode_ == RunMode::Preview; }
    Outcome PointPlayerAt(const std::string& path);
    void LoadFallback();

    RunMode mode_;
    std::string programFolder_;
    std::string playlist_;
    MediaPlayer& wmp_;
    SettingsStore& settings_;
    FrmScrView& view_;
    FileProbe canOpen_;
    char separator_;  // between the program's folder and the files beside it
};

}  // namespace revuro
