#pragma once

#include <chrono>

#include "platform/MonotonicClock.h"

namespace revuro {

// What the Flash player reports about a movie once it shows it.
struct FlashTiming {
    // One pass over the main timeline at the movie's frame rate, from its header; zero when the
    // header leaves the rate open.
    std::chrono::milliseconds passTime{0};
    // The player reports the end of every pass (an action on the last frame tells it).
    bool passSignal = false;
};

// Decides when a Flash movie has been shown long enough. A movie has no end of its own: its
// main timeline loops, or stops on a frame, or is run by scripts.
//
// - With a pass signal: the movie ends with the first pass that ends at least kMinimum after
//   it was shown, so a short loop plays whole passes for at least as long as a picture shows,
//   and a long animation plays once. A movie that stops before its last frame, or plays far
//   slower than its frame rate, ends at twice its pass time, kept between kShortestSignalWait
//   and kLongestSignalWait (kMaximum when the header leaves the frame rate open).
// - Without one (ActionScript 3, a timeline of one frame, a file cut short): it ends after its
//   pass time, within kMinimum and kMaximum.
// Time while the movie is held (nobody can see it) does not count.
class FlashDonePolicy {
  public:
    static constexpr std::chrono::milliseconds kMinimum{5'000};    // a picture's time
    static constexpr std::chrono::milliseconds kMaximum{300'000};  // five minutes
    static constexpr std::chrono::milliseconds kShortestSignalWait{10'000};
    static constexpr std::chrono::milliseconds kLongestSignalWait{1'800'000};  // half an hour

    explicit FlashDonePolicy(const MonotonicClock& clock) : clock_(clock) {}

    // The movie is on screen from now; an earlier movie's time is forgotten.
    void Start(const FlashTiming& timing);
    void Hold(bool held);
    // A pass ended: true when the movie is done.
    bool PassEnded();
    // The time limit has passed: the movie is done.
    bool Due() const { return TimeLeft() <= std::chrono::milliseconds::zero(); }
    // Shown time left until the limit, for a timer; while held it stands still.
    std::chrono::milliseconds TimeLeft() const;

  private:
    std::chrono::milliseconds Shown() const;
    std::chrono::milliseconds Limit() const;

    const MonotonicClock& clock_;
    FlashTiming timing_;
    std::chrono::steady_clock::time_point started_{};
    std::chrono::steady_clock::duration heldBefore_{};  // held time before the current hold
    std::chrono::steady_clock::time_point heldSince_{};
    bool held_ = false;
};

}  // namespace revuro
