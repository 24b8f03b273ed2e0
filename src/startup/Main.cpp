// Start-up: decide the run mode from the command line and open the one window that belongs to it.

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <QWindow>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Version.h"
#include "config/FrmConfig.h"
#include "config/IniSettingsStore.h"
#include "config/PlaylistFile.h"
#include "platform/InstanceLock.h"
#include "platform/NarrowCodec.h"
#include "platform/Process.h"
#include "platform/ProgramFolder.h"
#include "platform/QuitSignals.h"
#include "platform/UserFolders.h"
#include "platform/X11Display.h"
#include "platform/X11ErrorPolicy.h"
#include "platform/X11Graphics.h"
#include "platform/X11HostWindow.h"
#include "platform/X11MonitorPower.h"
#include "platform/X11Monitors.h"
#include "saver/FrmScr.h"
#include "saver/PlayerFactory.h"
#include "saver/VideoOutput.h"
#include "startup/CommandLine.h"
#include "startup/DesktopInstanceQuery.h"

using namespace revuro;

namespace {

constexpr int kBadHostStatus = 2;
// Ended by SIGTERM or SIGINT: the way xscreensaver ends a display mode, so an ordinary end. A
// process that died of the signal instead would report 128 + its number.
constexpr int kEndedBySignalStatus = 0;

constexpr const char* kVideoOutputVariable = "REVURO_VIDEO_OUTPUT";
constexpr const char* kVerboseVariable = "REVURO_VERBOSE";

// The players' video output, chosen once before any of them starts: the one a user forces
// with REVURO_VIDEO_OUTPUT ("gpu" or "x11"), else the cheapest the display allows.
// REVURO_VERBOSE=1 reports the choice and why in one line on stderr.
VideoOutput ChooseOutput() {
    std::string why;
    VideoOutput output = VideoOutput::X11;
    const char* forced = std::getenv(kVideoOutputVariable);
    if (forced != nullptr && *forced != '\0' && ParseVideoOutput(forced, output)) {
        why = std::string("forced by ") + kVideoOutputVariable;
    } else {
        if (forced != nullptr && *forced != '\0') {
            std::fprintf(stderr, "revuro: %s=%s is neither gpu nor x11; choosing by the display\n",
                         kVideoOutputVariable, forced);
        }
        const DisplayGraphics graphics = X11DisplayGraphics();
        output = ChooseVideoOutput(graphics);
        why = !graphics.directRendering   ? "no direct rendering on this display"
              : graphics.renderer.empty() ? "OpenGL renderer unknown"
                                          : "OpenGL renderer " + graphics.renderer;
    }
    if (const char* verbose = std::getenv(kVerboseVariable); verbose != nullptr && *verbose == '1')
        std::fprintf(stderr, "revuro: video output %s (%s)\n", VideoOutputName(output),
                     why.c_str());
    return output;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "revuro: %s\n", message.c_str());
    return kBadHostStatus;
}

// Embeds the saver window into the host, at (0, 0) with the host's size, following it.
void EmbedIntoHost(FrmScr& frmScr, const std::shared_ptr<X11HostWindow>& host, const char* title) {
    frmScr.setWindowTitle(title);
    frmScr.winId();
    frmScr.windowHandle()->setParent(QWindow::fromWinId(host->id()));
    frmScr.setGeometry(0, 0, host->ClientSize().width(), host->ClientSize().height());
    QObject::connect(host.get(), &X11HostWindow::hostResized, &frmScr,
                     [&frmScr](QSize size) { frmScr.resize(size); });
    // The host took our window with it; nothing is left to show.
    QObject::connect(host.get(), &X11HostWindow::hostGone, [] { TerminateImmediately(0); });
    host->StartWatching();
    frmScr.show();
}

}  // namespace

int main(int argc, char* argv[]) {
    IgnoreFileSizeLimitSignal();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const StartupDecision decision = DecideStartup(args);

    // A preview, and a saver given a window to play in (xscreensaver's), need a host that
    // exists; check before any window is made.
    std::shared_ptr<X11HostWindow> host;
    if (decision.mode == RunMode::Preview) {
        if (!decision.previewParent) {
            return Fail("/p needs the id of the preview window, a decimal number up to 2147483647");
        }
        auto opened = X11HostWindow::Open(static_cast<unsigned long>(*decision.previewParent));
        if (!opened) return Fail("/p: " + opened.error().reason);
        host = std::move(opened).value();
    } else if (decision.mode == RunMode::Saver) {
        const auto hostId = SaverHostWindow(args, std::getenv(kXScreenSaverWindowVariable));
        if (!hostId) return Fail(hostId.error().reason);
        if (hostId.value()) {
            auto opened = X11HostWindow::Open(*hostId.value());
            if (!opened) return Fail(opened.error().reason);
            host = std::move(opened).value();
        }
    }

    // Windows are embedded and looked for through X11, under XWayland as well.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    if (qgetenv("QT_QPA_PLATFORM") == "xcb" && !X11Display().IsOpen()) {
        std::fprintf(stderr, "revuro: cannot open the X display \"%s\"\n",
                     qgetenv("DISPLAY").constData());
        return X11ErrorPolicy::kDisplayLostStatus;
    }

    QApplication app(argc, argv);
    const X11ErrorPolicy x11Errors;
    std::setlocale(LC_NUMERIC, "C");  // libmpv parses numbers in the C locale
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationVersion(kVersionText);
    QApplication::setWindowIcon(QIcon(":/revuro/icon.ico"));
    // The program speaks Chinese whatever the locale; Qt's own dialogs and buttons should too.
    QTranslator qtTexts;
    if (qtTexts.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    // SIGTERM (how xscreensaver ends a hack) and SIGINT end every mode cleanly: the event loop
    // ends, and the windows and their players are destroyed below, on this thread.
    auto quitSignals = QuitSignals::Install();
    if (quitSignals) {
        QObject::connect(quitSignals.value().get(), &QuitSignals::received,
                         [](int) { QApplication::exit(kEndedBySignalStatus); });
    } else {
        std::fprintf(stderr, "revuro: %s\n", quitSignals.error().reason.c_str());
    }

    const InstanceLock lock(UserRuntimeFolder() + "/revuro.lock");
    const NarrowCodec codec = NarrowCodec::ForLocale();
    const PlaylistFile playlists(codec);
    IniSettingsStore settings(IniSettingsStore::DefaultPath());
    const std::string folder = ProgramFolder();
    const PlayerFactory players(playlists, ChooseOutput());

    std::unique_ptr<QWidget> window;
    FrmScr* saver = nullptr;
    switch (decision.mode) {
        case RunMode::Configure: {
            auto config = std::make_unique<FrmConfig>(folder, settings, playlists, players);
            config->Load();
            config->show();
            window = std::move(config);
            break;
        }
        case RunMode::Preview: {
            auto frmScr = std::make_unique<FrmScr>(RunMode::Preview, folder, settings, players);
            frmScr->Load();
            EmbedIntoHost(*frmScr, host, kPreviewTitle);
            saver = frmScr.get();
            window = std::move(frmScr);
            break;
        }
        default: {
            // xscreensaver starts one process per monitor, each with a window of its own, and
            // decides itself how many run: a saver with a host window skips the guard, or the
            // second monitor's would end at the first one's window.
            if (!host && CheckPrevInstance(DesktopInstanceQuery(lock))) TerminateImmediately(0);
            auto frmScr = std::make_unique<FrmScr>(RunMode::Saver, folder, settings, players);
            if (host) frmScr->UseHostWindow(X11WindowPlaysSound(host->id()));
            frmScr->Load();
            if (host) {
                EmbedIntoHost(*frmScr, host, kSaverTitle);
            } else {
                frmScr->show();
            }
            saver = frmScr.get();
            window = std::move(frmScr);
            break;
        }
    }
    std::unique_ptr<X11MonitorPower> monitors;
    if (saver != nullptr) {
        monitors = std::make_unique<X11MonitorPower>();
        QObject::connect(monitors.get(), &X11MonitorPower::powerChanged, saver,
                         &FrmScr::SetMonitorPower);
        saver->SetMonitorPower(monitors->Current());
    }

    const int status = app.exec();
    // Windows and players go before the application: a signal may have ended the loop with
    // the trial window or the about box still open.
    window.reset();
    QList<QPointer<QWidget>> rest;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->parentWidget() == nullptr) rest.append(widget);
    }
    for (const QPointer<QWidget>& widget : rest) delete widget.data();
    return status;
}
