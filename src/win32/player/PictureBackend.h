#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/player/MediaBackend.h"
#include "win32/MessageWindow.h"
#include "win32/player/DibPicture.h"

namespace revuro {

// Shows pictures (whatever the system's imaging component decodes: BMP, JPEG, PNG, GIF,
// TIFF...) in a child window of the video area, kept in aspect over black. It plays the same on
// every Windows, with or without a media player, so first.bmp always shows.
class PictureBackend : public MediaBackend {
  public:
    PictureBackend(HWND videoArea);
    ~PictureBackend() override;
    PictureBackend(const PictureBackend&) = delete;
    PictureBackend& operator=(const PictureBackend&) = delete;

    void SetEvents(MediaBackendEvents* events) override { events_ = events; }
    void Load(const std::string& item, MediaKind kind) override;
    void Stop() override;
    void Hold(bool) override {}  // a picture has no time of its own
    // Notes are the control's: it shows them over whichever backend draws.
    void ShowNote(const std::string&) override {}
    Outcome SetPresentation(const Presentation&) override { return Ok(); }

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Report(UINT report, WPARAM load);

    MessageWindow reports_;
    HWND window_ = nullptr;
    MediaBackendEvents* events_ = nullptr;
    DibPicture picture_;
    Error failure_{ErrorKind::Other, ""};
    std::uintptr_t loads_ = 0;  // a report of an earlier load is dropped
};

}  // namespace revuro
