#include "win32/trialplay/TrialWindowSlot.h"

namespace revuro {

namespace {

constexpr UINT kReleaseMessage = WM_APP;

}  // namespace

TrialWindowSlot::TrialWindowSlot(const PlaylistReader& reader, std::function<void()> emptied)
    : reader_(reader),
      emptied_(std::move(emptied)),
      messages_([this](UINT message, WPARAM, LPARAM) {
          if (message != kReleaseMessage) return;
          form_.reset();
          if (emptied_) emptied_();
      }) {}

Outcome TrialWindowSlot::Play(const std::string& url) {
    if (!form_) {
        form_ = frmPlay::Create(reader_, [this] { messages_.Post(kReleaseMessage); });
        if (!form_) return Error{ErrorKind::Other, "the trial window cannot be made"};
    }
    if (Outcome playing = form_->Play(url); !playing) return playing;
    const HWND window = form_->window();
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    return Ok();
}

}  // namespace revuro
