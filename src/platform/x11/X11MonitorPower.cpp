#include "platform/x11/X11MonitorPower.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace revuro {

X11MonitorPower::X11MonitorPower(int pollMilliseconds, QObject* parent) : QObject(parent) {
    int eventBase = 0, errorBase = 0;
    available_ = display_.IsOpen() && DPMSQueryExtension(display_.get(), &eventBase, &errorBase) &&
                 DPMSCapable(display_.get());
    if (!available_) return;
    Poll();
    connect(&timer_, &QTimer::timeout, this, &X11MonitorPower::Poll);
    timer_.start(pollMilliseconds);
}

void X11MonitorPower::Poll() {
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    if (!DPMSInfo(display_.get(), &level, &enabled)) return;
    const MonitorPower power = MonitorPowerFromDpms(enabled != False, level);
    if (power == current_) return;
    current_ = power;
    emit powerChanged(power);
}

}  // namespace revuro
