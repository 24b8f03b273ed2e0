#pragma once

#include <chrono>
#include <functional>

namespace revuro {

// A timer on the UI thread: the core has no event loop of its own. The shell backs it with its
// toolkit's timer; tests fire it by hand.
class OneShotTimer {
  public:
    virtual ~OneShotTimer() = default;
    // Calls `due` once, from the event loop, after `delay` (zero: as soon as the loop runs
    // again), never from inside Start. Starting again replaces the earlier wait.
    virtual void Start(std::chrono::milliseconds delay, std::function<void()> due) = 0;
    virtual void Stop() = 0;
};

}  // namespace revuro
