#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/player/PlaylistReader.h"
#include "core/saver/FrmScrLogic.h"
#include "core/saver/FrmScrView.h"
#include "core/startup/RunMode.h"
#include "core/store/SettingsStore.h"

namespace revuro {

class PlayerControl;

// The saver window, holding the player. As the saver a black borderless top-most popup over
// every monitor, without a taskbar button or a pointer, the video on the primary monitor; as
// the preview a child filling the host window's client area, following its size and ending
// with it.
class FrmScr : private FrmScrView {
  public:
    // Nothing when the window cannot be made. `playlist`: the list to play; first.bmp lies in
    // `programFolder`.
    static std::unique_ptr<FrmScr> Create(RunMode mode, HWND host, const std::string& programFolder,
                                          const std::string& playlist, SettingsStore& settings,
                                          const PlaylistReader& reader);
    ~FrmScr() override;
    FrmScr(const FrmScr&) = delete;
    FrmScr& operator=(const FrmScr&) = delete;

    // The form's load handling: places the window and points the player at the playlist.
    void Load();
    // Sees every message of the thread before it is dispatched; true when it was handled here.
    // Any key ends the saver at once, whichever window has the focus.
    bool PreTranslateMessage(const MSG& message);

  private:
    FrmScr(RunMode mode, HWND host, const std::string& programFolder, const std::string& playlist,
           SettingsStore& settings, const PlaylistReader& reader);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void FollowHost();

    void PlaceOverDesktop() override;
    void SetPlayerSize(int widthTwips, int heightTwips) override;
    void Repaint() override;
    [[noreturn]] void TerminateNow() override;

    RunMode mode_;
    HWND host_;
    HWND window_ = nullptr;
    std::unique_ptr<PlayerControl> wmp_;
    std::unique_ptr<FrmScrLogic> logic_;
    // The preview's look at its host: a timer of the thread, since a window destroyed with a host
    // of another process gets no more messages.
    UINT_PTR followTimer_ = 0;
};

}  // namespace revuro
