#pragma once

#include <QObject>

#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "core/player/VideoOutput.h"
#include "core/saver/MonitorPower.h"
#include "core/startup/CommandLine.h"
#include "platform/InstanceLock.h"
#include "platform/x11/X11ErrorPolicy.h"
#include "platform/x11/X11Graphics.h"

class QWidget;

namespace revuro {

class X11HostWindow;

// Why the program cannot start on this display, and the status it ends with.
struct X11Refusal {
    int status = 0;
    std::string message;  // one line for stderr
};

// What start-up needs of the X display, in the order it needs it: the host window a preview or
// xscreensaver gave, the display itself, how X failures end the program, the video output, the
// running saver, embedding, and the monitors' power.
class X11Desktop {
  public:
    static constexpr int kBadHostStatus = 2;

    // Before the application object exists: the display opens and the host window named by the
    // command line or $XSCREENSAVER_WINDOW exists. Null, and the refusal filled in, otherwise.
    // Unless an output is forced, the display's graphics are probed from here on, beside the
    // application object's start.
    static std::unique_ptr<X11Desktop> Connect(const StartupDecision& decision,
                                               const std::vector<std::string>& args,
                                               X11Refusal& refusal);

    // Once the application object exists: X failures meet the program's policy from now on,
    // and the players' video output is chosen: REVURO_VIDEO_OUTPUT ("gpu", "xv" or "x11") forces
    // one, else the cheapest the display allows. REVURO_VERBOSE=1 reports the choice on stderr.
    VideoOutput Start();

    // A window of another program stands for the screen (the preview area, xscreensaver's).
    bool HasHost() const { return host_ != nullptr; }

    // Whether a saver in the host plays the sound: under xscreensaver one process plays on each
    // monitor, and only the one on the primary monitor (else the first) is heard.
    bool HostPlaysSound() const;

    // Another full-screen saver already runs for this user.
    bool SaverRunning(const InstanceLock& lock) const;

    // Shows `window` inside the host at (0, 0) with the host's size, following it; the
    // program ends with the host.
    void ShowInHost(QWidget& window, const char* title);

    // Calls `changed` with the monitors' power now and whenever it changes, while `context`
    // lives.
    void WatchMonitorPower(QObject* context, std::function<void(MonitorPower)> changed);

  private:
    explicit X11Desktop(std::shared_ptr<X11HostWindow> host) : host_(std::move(host)) {}

    std::shared_ptr<X11HostWindow> host_;
    std::future<DisplayGraphics> graphics_;  // not valid when the output is forced
    std::unique_ptr<X11ErrorPolicy> errorPolicy_;
};

}  // namespace revuro
