#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "win32/MessageWindow.h"

namespace revuro {

// A window the program keeps one of: made on first use, reused while it lives, brought forward
// when shown again, and let go of from the message loop once the user has closed it. `Form`
// has window() and is made by a maker given the call that tells it has been closed.
template <class Form>
class FormSlot {
  public:
    using Maker = std::function<std::unique_ptr<Form>(std::function<void()> closed)>;

    // `emptied` is called when a form the user closed has gone.
    FormSlot(Maker make, std::function<void()> emptied)
        : make_(std::move(make)),
          emptied_(std::move(emptied)),
          messages_([this](UINT message, WPARAM, LPARAM) {
              if (message != kReleaseMessage) return;
              form_.reset();
              if (emptied_) emptied_();
          }) {}
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;

    // The form, made when none is open; nothing when it cannot be made.
    Form* Get() {
        if (!form_) form_ = make_([this] { messages_.Post(kReleaseMessage); });
        return form_.get();
    }
    // Shows the form in front, restored if it was minimized.
    void BringForward() {
        if (!form_) return;
        const HWND window = form_->window();
        ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(window);
    }
    Form* form() { return form_.get(); }
    bool open() const { return form_ != nullptr; }

  private:
    static constexpr UINT kReleaseMessage = WM_APP;

    Maker make_;
    std::function<void()> emptied_;
    MessageWindow messages_;
    std::unique_ptr<Form> form_;
};

}  // namespace revuro
