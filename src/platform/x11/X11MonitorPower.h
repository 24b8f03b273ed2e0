#pragma once

#include <QObject>
#include <QTimer>

#include "core/saver/MonitorPower.h"
#include "platform/x11/X11Display.h"

namespace revuro {

// The monitors' power level from the X server's DPMS extension. The extension sends no events
// that Debian's libXext can select, so the level is asked for at a slow pace; waking up a
// second late is of no matter to a screen saver.
class X11MonitorPower : public QObject {
    Q_OBJECT

  public:
    static constexpr int kPollMilliseconds = 2000;

    explicit X11MonitorPower(int pollMilliseconds = kPollMilliseconds, QObject* parent = nullptr);

    // False when the display has no DPMS (Xvfb, for one): then the level is always On.
    bool IsAvailable() const { return available_; }
    MonitorPower Current() const { return current_; }

  signals:
    void powerChanged(MonitorPower power);

  private:
    void Poll();

    X11Display display_;
    bool available_ = false;
    MonitorPower current_ = MonitorPower::On;
    QTimer timer_;
};

}  // namespace revuro
