#include "core/saver/SoundMonitor.h"

#include <gtest/gtest.h>

#include <vector>

namespace revuro {
namespace {

constexpr ScreenArea kLeft{0, 0, 1920, 1080};
constexpr ScreenArea kRight{1920, 0, 1280, 1024};

TEST(SoundMonitorTest, ThePrimaryElseTheFirst) {
    EXPECT_EQ(SoundMonitor({}), std::nullopt);
    EXPECT_EQ(SoundMonitor({{kLeft, false}, {kRight, true}}), 1u);
    EXPECT_EQ(SoundMonitor({{kLeft, true}, {kRight, false}}), 0u);
    EXPECT_EQ(SoundMonitor({{kRight, false}, {kLeft, false}}), 0u);
}

// xscreensaver: one window per monitor, each exactly on its monitor.
TEST(SoundMonitorTest, OnlyThePrimarysWindowPlays) {
    const std::vector<MonitorArea> primaryRight{{kLeft, false}, {kRight, true}};
    EXPECT_FALSE(PlaysSound(primaryRight, kLeft));
    EXPECT_TRUE(PlaysSound(primaryRight, kRight));
    const std::vector<MonitorArea> primaryLeft{{kLeft, true}, {kRight, false}};
    EXPECT_TRUE(PlaysSound(primaryLeft, kLeft));
    EXPECT_FALSE(PlaysSound(primaryLeft, kRight));
}

TEST(SoundMonitorTest, WithoutAPrimaryTheFirstMonitorsWindowPlays) {
    const std::vector<MonitorArea> monitors{{kRight, false}, {kLeft, false}};
    EXPECT_TRUE(PlaysSound(monitors, kRight));
    EXPECT_FALSE(PlaysSound(monitors, kLeft));
}

TEST(SoundMonitorTest, AWindowOverEveryMonitorPlays) {
    // The larger monitor is not the primary: equal shares, and the sound monitor wins.
    const std::vector<MonitorArea> monitors{{kLeft, false}, {kRight, true}};
    EXPECT_TRUE(PlaysSound(monitors, {0, 0, 3200, 1080}));
}

TEST(SoundMonitorTest, AWindowBelongsWhereMostOfItLies) {
    const std::vector<MonitorArea> monitors{{kLeft, true}, {kRight, false}};
    EXPECT_TRUE(PlaysSound(monitors, {100, 100, 320, 240}));     // a preview on the primary
    EXPECT_FALSE(PlaysSound(monitors, {2000, 100, 320, 240}));   // and on the other
    EXPECT_FALSE(PlaysSound(monitors, {1800, 0, 1400, 1024}));   // mostly on the other
    EXPECT_TRUE(PlaysSound(monitors, {600, 0, 1400, 1080}));     // mostly on the primary
    EXPECT_FALSE(PlaysSound(monitors, {-500, -500, 100, 100}));  // on none
}

TEST(SoundMonitorTest, MirroredMonitorsBothPlay) {
    const std::vector<MonitorArea> monitors{{kLeft, false}, {kLeft, true}};
    EXPECT_TRUE(PlaysSound(monitors, kLeft));
}

TEST(SoundMonitorTest, WithoutMonitorsEveryWindowPlays) {
    EXPECT_TRUE(PlaysSound({}, kLeft));
    EXPECT_TRUE(PlaysSound({}, {0, 0, 0, 0}));
}

TEST(SoundMonitorTest, AnEmptyMonitorIsNoWindowsMonitor) {
    const std::vector<MonitorArea> monitors{{kLeft, true}, {{1920, 0, 0, 0}, false}};
    EXPECT_TRUE(PlaysSound(monitors, kLeft));
    EXPECT_FALSE(PlaysSound({{{0, 0, 0, 0}, true}, {kLeft, false}}, kLeft));
}

TEST(SoundMonitorTest, HugeScreensDoNotOverflow) {
    const ScreenArea wide{0, 0, 32767, 32767};
    const ScreenArea small{32767, 0, 1, 1};
    const std::vector<MonitorArea> monitors{{wide, true}, {small, false}};
    EXPECT_TRUE(PlaysSound(monitors, wide));
    EXPECT_FALSE(PlaysSound(monitors, small));
}

}  // namespace
}  // namespace revuro
