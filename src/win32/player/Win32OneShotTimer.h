#pragma once

#include "core/player/OneShotTimer.h"
#include "win32/MessageWindow.h"

namespace revuro {

// The core's timer on the Windows message loop.
class Win32OneShotTimer : public OneShotTimer {
  public:
    Win32OneShotTimer();
    ~Win32OneShotTimer() override;

    void Start(std::chrono::milliseconds delay, std::function<void()> due) override;
    void Stop() override;

  private:
    void Fire();

    MessageWindow window_;
    std::function<void()> due_;
    bool running_ = false;
};

}  // namespace revuro
