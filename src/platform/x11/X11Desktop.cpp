#include "platform/x11/X11Desktop.h"

#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "core/startup/InstanceGuard.h"
#include "platform/Process.h"
#include "platform/x11/DesktopInstanceQuery.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Graphics.h"
#include "platform/x11/X11HostWindow.h"
#include "platform/x11/X11MonitorPower.h"
#include "platform/x11/X11Monitors.h"

namespace revuro {

namespace {

constexpr const char* kVideoOutputVariable = "REVURO_VIDEO_OUTPUT";
constexpr const char* kVerboseVariable = "REVURO_VERBOSE";

// The output REVURO_VIDEO_OUTPUT forces, if it names one.
std::optional<VideoOutput> ForcedOutput() {
    const char* forced = std::getenv(kVideoOutputVariable);
    VideoOutput output = VideoOutput::X11;
    if (forced == nullptr || !ParseVideoOutput(forced, output)) return std::nullopt;
    return output;
}

Result<std::shared_ptr<X11HostWindow>> OpenHost(const StartupDecision& decision,
                                                const std::vector<std::string>& args) {
    if (decision.mode == RunMode::Preview) {
        if (!decision.previewParent) {
            return Error{
                "/p needs the id of the preview window, a decimal number up to 2147483647"};
        }
        auto opened = X11HostWindow::Open(static_cast<unsigned long>(*decision.previewParent));
        if (!opened) return Error{"/p: " + opened.error().reason};
        return std::move(opened).value();
    }
    if (decision.mode == RunMode::Saver) {
        const auto hostId = SaverHostWindow(args, std::getenv(kXScreenSaverWindowVariable));
        if (!hostId) return hostId.error();
        if (hostId.value()) return X11HostWindow::Open(*hostId.value());
    }
    return std::shared_ptr<X11HostWindow>();
}

}  // namespace

std::unique_ptr<X11Desktop> X11Desktop::Connect(const StartupDecision& decision,
                                                const std::vector<std::string>& args,
                                                X11Refusal& refusal) {
    // A preview, and a saver given a window to play in, need a host that exists: checked
    // before any window is made.
    Result<std::shared_ptr<X11HostWindow>> host = OpenHost(decision, args);
    if (!host) {
        refusal = {kBadHostStatus, host.error().reason};
        return nullptr;
    }
    // Windows are embedded and looked for through X11, under XWayland as well.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    if (qgetenv("QT_QPA_PLATFORM") == "xcb" && !X11Display().IsOpen()) {
        refusal = {X11ErrorPolicy::kDisplayLostStatus,
                   "cannot open the X display \"" + qgetenv("DISPLAY").toStdString() + "\""};
        return nullptr;
    }
    auto desktop = std::unique_ptr<X11Desktop>(new X11Desktop(std::move(host).value()));
    if (!ForcedOutput()) desktop->graphics_ = X11DisplayGraphicsAsync();
    return desktop;
}

VideoOutput X11Desktop::Start() {
    errorPolicy_ = std::make_unique<X11ErrorPolicy>();

    std::string why;
    VideoOutput output = VideoOutput::X11;
    if (const std::optional<VideoOutput> forced = ForcedOutput()) {
        output = *forced;
        why = std::string("forced by ") + kVideoOutputVariable;
    } else {
        if (const char* named = std::getenv(kVideoOutputVariable);
            named != nullptr && *named != '\0') {
            std::fprintf(stderr,
                         "revuro: %s=%s is none of gpu, xv and x11; choosing by the display\n",
                         kVideoOutputVariable, named);
        }
        // The probe Connect started; asked here only if it was not (a second call, say).
        const DisplayGraphics graphics = graphics_.valid() ? graphics_.get() : X11DisplayGraphics();
        output = ChooseVideoOutput(graphics);
        why = !graphics.directRendering   ? "no direct rendering on this display"
              : graphics.renderer.empty() ? "OpenGL renderer unknown"
                                          : "OpenGL renderer " + graphics.renderer;
        why += graphics.videoAdaptor ? ", an X video adaptor" : ", no X video adaptor";
    }
    if (const char* verbose = std::getenv(kVerboseVariable); verbose != nullptr && *verbose == '1')
        std::fprintf(stderr, "revuro: video output %s (%s)\n", VideoOutputName(output),
                     why.c_str());
    return output;
}

bool X11Desktop::HostPlaysSound() const { return X11WindowPlaysSound(host_->id()); }

bool X11Desktop::SaverRunning(const InstanceLock& lock) const {
    return CheckPrevInstance(DesktopInstanceQuery(lock));
}

void X11Desktop::ShowInHost(QWidget& window, const char* title) {
    window.setWindowTitle(title);
    window.winId();
    window.windowHandle()->setParent(QWindow::fromWinId(host_->id()));
    window.setGeometry(0, 0, host_->ClientSize().width(), host_->ClientSize().height());
    QObject::connect(host_.get(), &X11HostWindow::hostResized, &window,
                     [&window](QSize size) { window.resize(size); });
    // The host took our window with it; nothing is left to show.
    QObject::connect(host_.get(), &X11HostWindow::hostGone, [] { TerminateImmediately(0); });
    host_->StartWatching();
    window.show();
}

void X11Desktop::WatchMonitorPower(QObject* context, std::function<void(MonitorPower)> changed) {
    // Goes with the context: no timer outlives the window it serves.
    auto* monitors = new X11MonitorPower(X11MonitorPower::kPollMilliseconds, context);
    QObject::connect(monitors, &X11MonitorPower::powerChanged, context, changed);
    changed(monitors->Current());
}

}  // namespace revuro
