#pragma once

#include <chrono>

namespace revuro {

// The time that only goes forward, for measuring how long something has been on screen.
// Injected where behaviour depends on it, so tests can set it.
class MonotonicClock {
  public:
    virtual ~MonotonicClock() = default;
    virtual std::chrono::steady_clock::time_point Now() const = 0;
};

}  // namespace revuro
