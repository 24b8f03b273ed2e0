#include "core/saver/MonitorPower.h"

namespace revuro {

namespace {
// The level numbers of the DPMS protocol.
constexpr int kDpmsOn = 0;
constexpr int kDpmsStandby = 1;
constexpr int kDpmsSuspend = 2;
constexpr int kDpmsOff = 3;
}  // namespace

bool MonitorsAsleep(MonitorPower power) { return power != MonitorPower::On; }

MonitorPower MonitorPowerFromDpms(bool dpmsEnabled, int level) {
    if (!dpmsEnabled) return MonitorPower::On;
    switch (level) {
        case kDpmsStandby:
            return MonitorPower::Standby;
        case kDpmsSuspend:
            return MonitorPower::Suspend;
        case kDpmsOff:
            return MonitorPower::Off;
        case kDpmsOn:
        default:
            return MonitorPower::On;
    }
}

}  // namespace revuro
