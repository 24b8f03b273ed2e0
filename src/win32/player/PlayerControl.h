#pragma once

#include <windows.h>

#include <memory>

#include "core/player/MediaBackend.h"
#include "core/player/PlaylistPlayer.h"
#include "core/player/RoutingBackend.h"
#include "win32/player/NoteLabel.h"
#include "win32/player/Win32OneShotTimer.h"

namespace revuro {

// The media player control a form places: a black child window whose video area lies over the
// primary monitor while it plays full screen. Pictures are drawn by the system's imaging
// component, everything else by Windows Media Player (each item fails by name where the system
// has none), and the player walks the list over them. Keys and double clicks over it reach the
// form as the player's events, whichever backend draws.
class PlayerControl : private MediaBackend {
  public:
    PlayerControl(HWND parent, const PlayerSettings& settings, PlaylistPlayerOptions options,
                  const PlaylistReader& reader);
    ~PlayerControl() override;
    PlayerControl(const PlayerControl&) = delete;
    PlayerControl& operator=(const PlayerControl&) = delete;

    HWND window() const { return window_; }
    PlaylistPlayer& player() { return *player_; }
    // Whether Windows Media Player plays here; the reason when it does not.
    const Outcome& mediaPlayer() const { return mediaPlayer_; }

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    std::unique_ptr<revuro::MediaBackend> MakeMediaBackend();
    void LayoutVideo();

    // The backend as the player sees it: the video area follows the presentation and notes
    // show over it; the rest is the backends'.
    void SetEvents(MediaBackendEvents* events) override { backend_->SetEvents(events); }
    void Load(const std::string& item, MediaKind kind) override { backend_->Load(item, kind); }
    void Stop() override { backend_->Stop(); }
    void Hold(bool held) override { backend_->Hold(held); }
    void ShowNote(const std::string& text) override { note_->Show(text); }
    Outcome SetPresentation(const Presentation& presentation) override;

    HWND window_ = nullptr;
    HWND video_ = nullptr;  // the area the backends draw into
    std::unique_ptr<NoteLabel> note_;
    Win32OneShotTimer unavailableTimer_;
    Outcome mediaPlayer_ = Ok();
    std::unique_ptr<RoutingBackend> backend_;
    bool fullScreen_ = false;
    Win32OneShotTimer timer_;
    std::unique_ptr<PlaylistPlayer> player_;  // last: it reaches the backend and the timer
};

}  // namespace revuro
