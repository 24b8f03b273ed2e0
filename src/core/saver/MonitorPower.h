#pragma once

#include <cstdint>

namespace revuro {

// The monitors' power level as the display reports it (the four levels of DPMS).
enum class MonitorPower : std::int8_t {
    On,
    Standby,
    Suspend,
    Off,
};

// Whether the saver should hold its playback: nobody sees a monitor that is not on, and a
// movie that went on playing would only be missed when the monitors come back.
bool MonitorsAsleep(MonitorPower power);

// The power level from what the display reports: DPMS switched off in the server means the
// monitors stay on whatever level it last had. Unknown levels count as on, so a display that
// reports something odd never stops the saver.
MonitorPower MonitorPowerFromDpms(bool dpmsEnabled, int level);

}  // namespace revuro
