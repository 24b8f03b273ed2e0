#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/startup/RunMode.h"

namespace revuro {

// The saver window without the media player control: first.bmp beside the program, kept in
// aspect over black. As the saver a borderless top-most popup over every monitor, the picture
// on the primary one, without a taskbar button or a pointer; as the preview a child filling the
// host window's client area, following its size and ending with it.
class FrmScr {
  public:
    // Nothing when the window cannot be made.
    static std::unique_ptr<FrmScr> Create(RunMode mode, HWND host, const std::string& folder);
    ~FrmScr();
    FrmScr(const FrmScr&) = delete;
    FrmScr& operator=(const FrmScr&) = delete;

    // Sees every message of the thread before it is dispatched; true when it was handled here.
    // Any key ends the saver at once, whichever window has the focus.
    bool PreTranslateMessage(const MSG& message);

  private:
    FrmScr(RunMode mode, HWND host, HBITMAP picture);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    // Where the picture goes, in the window's coordinates.
    RECT PictureArea() const;
    void FollowHost();

    RunMode mode_;
    HWND host_;
    HBITMAP picture_;
    HWND window_ = nullptr;
    // The preview's look at its host: a timer of the thread, since a window destroyed with a host
    // of another process gets no more messages.
    UINT_PTR followTimer_ = 0;
};

}  // namespace revuro
