#pragma once

#include <windows.h>

#include <string>

namespace revuro {

// A short line over the video, at its top left, that goes away by itself after a few seconds:
// what the player says about an item it passes, never a window that waits for the user.
class NoteLabel {
  public:
    explicit NoteLabel(HWND parent);
    ~NoteLabel();
    NoteLabel(const NoteLabel&) = delete;
    NoteLabel& operator=(const NoteLabel&) = delete;

    void Show(const std::string& text);

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    std::wstring text_;
};

}  // namespace revuro
