#pragma once

#include "platform/MonotonicClock.h"

namespace revuro {

// The system's monotonic clock.
class SteadyClock : public MonotonicClock {
  public:
    std::chrono::steady_clock::time_point Now() const override {
        return std::chrono::steady_clock::now();
    }
};

}  // namespace revuro
