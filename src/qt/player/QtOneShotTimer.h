#pragma once

#include <QTimer>

#include "core/player/OneShotTimer.h"

namespace revuro {

// The core's one-shot timer on Qt's event loop.
class QtOneShotTimer : public OneShotTimer {
  public:
    QtOneShotTimer();

    void Start(std::chrono::milliseconds delay, std::function<void()> due) override;
    void Stop() override;

  private:
    QTimer timer_;
    std::function<void()> due_;
};

}  // namespace revuro
