#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "core/Result.h"
#include "core/player/PlaylistReader.h"
#include "win32/ScreenTwips.h"

namespace revuro {

class PlayerControl;

// The trial playback window: an ordinary sizable window with the program's icon and a taskbar
// button, whose only content is its own player with the full control bar, kept fitted to the
// window. It handles no player events and has no logic of its own; closing it destroys it
// together with its player, which ends the playback.
class frmPlay {
  public:
    // The window, shown; nothing when it cannot be made. `closed` is called once, when the user
    // closes the window or the system destroys it; the owner then destroys the object, from
    // the message loop, never inside the call.
    static std::unique_ptr<frmPlay> Create(const PlaylistReader& reader,
                                           std::function<void()> closed);
    ~frmPlay();
    frmPlay(const frmPlay&) = delete;
    frmPlay& operator=(const frmPlay&) = delete;

    // Plays `url` (a media file or a playlist) from its start.
    Outcome Play(const std::string& url);
    HWND window() const { return window_; }
    PlayerControl& wmp() { return *wmp_; }

  private:
    explicit frmPlay(std::function<void()> closed);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Closed();
    void Form_Resize();

    std::function<void()> closed_;
    const ScreenTwips twips_ = ScreenTwips::OfScreen();
    HWND window_ = nullptr;
    std::unique_ptr<PlayerControl> wmp_;
};

}  // namespace revuro
