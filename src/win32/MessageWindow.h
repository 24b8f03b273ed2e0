#pragma once

#include <windows.h>

#include <functional>

namespace revuro {

// A window that only receives messages (posted reports, timers) on the thread that made it, for
// objects that are no window themselves. Destroyed with the object; its messages go with it.
class MessageWindow {
  public:
    using Handler = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit MessageWindow(Handler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND handle() const { return window_; }
    // Calls the handler with `message` from the message loop, never from inside this call.
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    HWND window_ = nullptr;
};

}  // namespace revuro
