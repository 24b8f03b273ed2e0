#include "core/flash/FlashDonePolicy.h"

#include <algorithm>

namespace revuro {

using std::chrono::duration_cast;
using std::chrono::milliseconds;

void FlashDonePolicy::Start(const FlashTiming& timing) {
    timing_ = timing;
    started_ = clock_.Now();
    heldBefore_ = {};
    heldSince_ = started_;  // a movie started while held stands still from the start
}

void FlashDonePolicy::Hold(bool held) {
    if (held == held_) return;
    held_ = held;
    const auto now = clock_.Now();
    if (held)
        heldSince_ = now;
    else
        heldBefore_ += now - std::max(heldSince_, started_);
}

bool FlashDonePolicy::PassEnded() { return timing_.passSignal && Shown() >= kMinimum; }

milliseconds FlashDonePolicy::TimeLeft() const { return Limit() - Shown(); }

milliseconds FlashDonePolicy::Shown() const {
    const auto until = held_ ? std::max(heldSince_, started_) : clock_.Now();
    return duration_cast<milliseconds>(until - started_ - heldBefore_);
}

milliseconds FlashDonePolicy::Limit() const {
    const milliseconds pass = timing_.passTime;
    if (!timing_.passSignal) return std::clamp(pass, kMinimum, kMaximum);
    if (pass <= milliseconds::zero()) return kMaximum;
    return std::clamp(2 * pass, kShortestSignalWait, kLongestSignalWait);
}

}  // namespace revuro
