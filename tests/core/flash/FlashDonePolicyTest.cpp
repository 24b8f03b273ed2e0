#include "core/flash/FlashDonePolicy.h"

#include <gtest/gtest.h>

namespace revuro {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

class FakeClock : public MonotonicClock {
  public:
    std::chrono::steady_clock::time_point Now() const override { return now_; }
    void Advance(milliseconds step) { now_ += step; }

  private:
    std::chrono::steady_clock::time_point now_{std::chrono::hours(1)};
};

class FlashDonePolicyTest : public ::testing::Test {
  protected:
    void Start(milliseconds pass, bool signal) { policy.Start(FlashTiming{pass, signal}); }

    FakeClock clock;
    FlashDonePolicy policy{clock};
};

TEST_F(FlashDonePolicyTest, AShortLoopPlaysWholePassesForAPicturesTime) {
    Start(1200ms, true);
    for (int pass = 1; pass <= 4; ++pass) {
        clock.Advance(1200ms);
        EXPECT_FALSE(policy.PassEnded()) << pass;
    }
    clock.Advance(1200ms);  // 6 s shown
    EXPECT_TRUE(policy.PassEnded());
}

TEST_F(FlashDonePolicyTest, ALongAnimationPlaysOnce) {
    Start(90s, true);
    clock.Advance(89s);
    EXPECT_FALSE(policy.Due());
    clock.Advance(1s);
    EXPECT_TRUE(policy.PassEnded());
}

TEST_F(FlashDonePolicyTest, WithASignalTheLimitIsTwiceThePassWithinBounds) {
    const struct {
        milliseconds pass, limit;
    } cases[] = {{2s, 10s}, {100s, 200s}, {2h, 30min}, {0ms, 5min}};
    for (const auto& c : cases) {
        Start(c.pass, true);
        EXPECT_EQ(policy.TimeLeft(), c.limit) << c.pass.count();
        clock.Advance(c.limit - 1ms);
        EXPECT_FALSE(policy.Due()) << c.pass.count();
        clock.Advance(1ms);
        EXPECT_TRUE(policy.Due()) << c.pass.count();
    }
}

TEST_F(FlashDonePolicyTest, WithoutASignalThePassTimeDecidesWithinBounds) {
    const struct {
        milliseconds pass, limit;
    } cases[] = {{40ms, 5s}, {0ms, 5s}, {42s, 42s}, {1h, 5min}};
    for (const auto& c : cases) {
        Start(c.pass, false);
        clock.Advance(c.limit - 1ms);
        EXPECT_FALSE(policy.Due()) << c.pass.count();
        EXPECT_FALSE(policy.PassEnded()) << c.pass.count();
        clock.Advance(1ms);
        EXPECT_TRUE(policy.Due()) << c.pass.count();
    }
}

TEST_F(FlashDonePolicyTest, HeldTimeDoesNotCount) {
    Start(1s, false);
    clock.Advance(3s);
    policy.Hold(true);
    clock.Advance(1h);
    EXPECT_EQ(policy.TimeLeft(), 2s);
    policy.Hold(true);  // said twice, counted once
    policy.Hold(false);
    EXPECT_EQ(policy.TimeLeft(), 2s);
    clock.Advance(2s);
    EXPECT_TRUE(policy.Due());
}

TEST_F(FlashDonePolicyTest, AMovieStartedWhileHeldWaitsForTheRelease) {
    Start(1s, true);
    clock.Advance(4s);
    policy.Hold(true);
    clock.Advance(1min);
    Start(1s, true);  // the next movie, loaded while nobody looks
    clock.Advance(1min);
    EXPECT_EQ(policy.TimeLeft(), 10s);
    policy.Hold(false);
    clock.Advance(4s);
    EXPECT_FALSE(policy.PassEnded());
    clock.Advance(1s);
    EXPECT_TRUE(policy.PassEnded());
}

}  // namespace
}  // namespace revuro
