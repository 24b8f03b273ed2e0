#include "win32/player/Win32OneShotTimer.h"

#include <algorithm>

namespace revuro {

namespace {

constexpr UINT_PTR kTimerId = 1;

}  // namespace

Win32OneShotTimer::Win32OneShotTimer()
    : window_([this](UINT message, WPARAM wParam, LPARAM) {
          if (message == WM_TIMER && wParam == kTimerId) Fire();
      }) {}

Win32OneShotTimer::~Win32OneShotTimer() { Stop(); }

void Win32OneShotTimer::Start(std::chrono::milliseconds delay, std::function<void()> due) {
    due_ = std::move(due);
    running_ = true;
    // A zero delay still waits for the loop: the system's shortest timer.
    const auto milliseconds = static_cast<UINT>(
        std::max<std::chrono::milliseconds::rep>(delay.count(), USER_TIMER_MINIMUM));
    SetTimer(window_.handle(), kTimerId, milliseconds, nullptr);
}

void Win32OneShotTimer::Stop() {
    running_ = false;
    KillTimer(window_.handle(), kTimerId);
}

void Win32OneShotTimer::Fire() {
    KillTimer(window_.handle(), kTimerId);
    if (!running_) return;
    running_ = false;
    // Moved out first: the call may start the timer again.
    const std::function<void()> due = std::move(due_);
    due();
}

}  // namespace revuro
