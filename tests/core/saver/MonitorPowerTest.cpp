#include "core/saver/MonitorPower.h"

#include <gtest/gtest.h>

namespace revuro {
namespace {

TEST(MonitorPowerTest, EveryLevelButOnHoldsPlayback) {
    EXPECT_FALSE(MonitorsAsleep(MonitorPower::On));
    EXPECT_TRUE(MonitorsAsleep(MonitorPower::Standby));
    EXPECT_TRUE(MonitorsAsleep(MonitorPower::Suspend));
    EXPECT_TRUE(MonitorsAsleep(MonitorPower::Off));
}

TEST(MonitorPowerTest, DpmsLevelsMapInProtocolOrder) {
    EXPECT_EQ(MonitorPowerFromDpms(true, 0), MonitorPower::On);
    EXPECT_EQ(MonitorPowerFromDpms(true, 1), MonitorPower::Standby);
    EXPECT_EQ(MonitorPowerFromDpms(true, 2), MonitorPower::Suspend);
    EXPECT_EQ(MonitorPowerFromDpms(true, 3), MonitorPower::Off);
}

TEST(MonitorPowerTest, DpmsSwitchedOffMeansMonitorsOn) {
    for (int level = 0; level <= 3; ++level) {
        EXPECT_EQ(MonitorPowerFromDpms(false, level), MonitorPower::On) << level;
    }
}

TEST(MonitorPowerTest, UnknownLevelNeverStopsTheSaver) {
    EXPECT_EQ(MonitorPowerFromDpms(true, 4), MonitorPower::On);
    EXPECT_EQ(MonitorPowerFromDpms(true, -1), MonitorPower::On);
    EXPECT_EQ(MonitorPowerFromDpms(true, 0xffff), MonitorPower::On);
}

}  // namespace
}  // namespace revuro
