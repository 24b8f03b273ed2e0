// revuro-flash: plays Flash movies for the saver, with Ruffle in a web engine, in a window of
// the saver's. A process of its own, so that the saver neither loads the web engine nor hangs
// or dies with it. Driven over standard input and output (core/flash/FlashProtocol.h).
// usage: revuro-flash --window <id> [--video-output gpu|x11]

#include <QApplication>
#include <QPalette>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWindow>

#include <unistd.h>

#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/Paths.h"
#include "core/player/VideoOutput.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/ProgramFolder.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11ErrorPolicy.h"
#include "platform/x11/X11Graphics.h"
#include "platform/x11/X11HostWindow.h"
#include "qt/flash/FlashHelper.h"
#include "qt/flash/FlashPage.h"
#include "qt/flash/FlashRequestGuard.h"
#include "qt/flash/FlashSchemeHandler.h"

using namespace revuro;

namespace {

constexpr int kUsageStatus = 2;
constexpr const char* kRuffleFolder = "ruffle";
constexpr const char* kRuffleScript = "ruffle.js";
constexpr const char* kVerboseVariable = "REVURO_VERBOSE";

struct Options {
    std::optional<unsigned long> window;
    std::optional<VideoOutput> output;
};

std::optional<Options> ParseOptions(int argc, char* argv[]) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i], value = argv[i + 1];
        if (name == "--window") {
            unsigned long id = 0;
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), id);
            if (error != std::errc{} || end != value.data() + value.size() || id == 0)
                return std::nullopt;
            options.window = id;
        } else if (name == "--video-output") {
            VideoOutput output;
            if (!ParseVideoOutput(value, output)) return std::nullopt;
            options.output = output;
        } else {
            return std::nullopt;
        }
    }
    if (argc % 2 == 0 || !options.window) return std::nullopt;
    return options;
}

// Chromium's own traffic (updates, metrics, prefetching) has no place in a screen saver.
void SetChromiumFlags(VideoOutput output) {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    flags +=
        " --disable-background-networking --disable-component-update --disable-sync"
        " --disable-domain-reliability --no-pings --autoplay-policy=no-user-gesture-required";
    if (output == VideoOutput::X11) flags += " --disable-gpu";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

bool Verbose() {
    const char* verbose = std::getenv(kVerboseVariable);
    return verbose != nullptr && *verbose == '1';
}

}  // namespace

int main(int argc, char* argv[]) {
    const auto options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: revuro-flash --window <id> [--video-output gpu|x11]\n");
        return kUsageStatus;
    }
    const std::string ruffle = PathBeside(ProgramFolder(), kRuffleFolder);
    if (!CanOpenForReading(PathBeside(ruffle, kRuffleScript))) {
        std::printf("unavailable Ruffle's files are missing from %s\n", ruffle.c_str());
        return FlashHelper::kUnavailableStatus;
    }
    auto host = X11HostWindow::Open(*options->window);
    if (!host) {
        std::fprintf(stderr, "revuro-flash: %s\n", host.error().reason.c_str());
        return kUsageStatus;
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    // OpenGL in software costs several times what Qt Quick's own software drawing does.
    const VideoOutput output =
        options->output ? *options->output : ChooseVideoOutput(X11DisplayGraphics());
    if (output == VideoOutput::X11) qputenv("QT_QUICK_BACKEND", "software");
    SetChromiumFlags(output);
    // Chromium refuses to run as root inside its sandbox.
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    FlashSchemeHandler::Register();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QApplication app(argc, argv);
    const X11ErrorPolicy x11Errors;
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe is an error value, not the end
    const bool verbose = Verbose();

    QWebEngineProfile profile;  // off the record: nothing is kept on disk
    profile.setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile.setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    FlashSchemeHandler scheme(QString::fromStdString(ruffle));
    profile.installUrlSchemeHandler(FlashSchemeHandler::kScheme, &scheme);
    FlashRequestGuard guard(verbose);
    profile.setUrlRequestInterceptor(&guard);
    QObject::connect(&profile, &QWebEngineProfile::downloadRequested,
                     [](QWebEngineDownloadRequest* download) { download->cancel(); });

    FlashPage page(&profile, verbose);
    QWebEngineView view;
    view.setPage(&page);
    // No keyboard and no mouse: keys and clicks go through to the saver's window below.
    view.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                        Qt::WindowTransparentForInput);
    view.setAttribute(Qt::WA_ShowWithoutActivating);
    view.setFocusPolicy(Qt::NoFocus);
    view.setCursor(Qt::BlankCursor);
    QPalette black = view.palette();
    black.setColor(QPalette::Window, Qt::black);
    view.setPalette(black);
    view.setAutoFillBackground(true);

    const std::shared_ptr<X11HostWindow> hostWindow = std::move(host).value();
    view.winId();
    view.windowHandle()->setParent(QWindow::fromWinId(hostWindow->id()));
    view.setGeometry(0, 0, hostWindow->ClientSize().width(), hostWindow->ClientSize().height());
    QObject::connect(hostWindow.get(), &X11HostWindow::hostResized, &view,
                     [&view](QSize size) { view.resize(size); });
    QObject::connect(hostWindow.get(), &X11HostWindow::hostGone, [] { TerminateImmediately(0); });
    hostWindow->StartWatching();
    view.show();

    // Without the graphics card the web engine has no WebGL: Ruffle need not try it first.
    FlashHelper helper(page, scheme, output == VideoOutput::X11 ? "canvas" : "");
    // Over the saver's own picture only while a movie plays.
    QObject::connect(&helper, &FlashHelper::movieWanted, &view, [&view](bool wanted) {
        if (!wanted) return view.hide();
        view.show();
        view.windowHandle()->raise();
    });
    helper.Start();
    return app.exec();
}
