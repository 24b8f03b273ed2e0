// Start-up: decide the run mode from the command line and open the one window that belongs to it.

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Version.h"
#include "core/startup/CommandLine.h"
#include "core/startup/InstanceGuard.h"
#include "core/startup/XScreenSaverSetup.h"
#include "core/store/IniSettingsStore.h"
#include "core/store/PlaylistFile.h"
#include "core/store/PlaylistPlaces.h"
#include "platform/InstanceLock.h"
#include "platform/NarrowCodec.h"
#include "platform/Process.h"
#include "platform/ProgramFolder.h"
#include "platform/UserFolders.h"
#include "platform/x11/X11Desktop.h"
#include "qt/config/FrmConfig.h"
#include "qt/player/PlayerFactory.h"
#include "qt/saver/FrmScr.h"
#include "qt/startup/QuitSignals.h"

using namespace revuro;

namespace {

// Ended by SIGTERM or SIGINT: the way xscreensaver ends a display mode, so an ordinary end. A
// process that died of the signal instead would report 128 + its number.
constexpr int kEndedBySignalStatus = 0;

}  // namespace

int main(int argc, char* argv[]) {
    IgnoreFileSizeLimitSignal();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const StartupDecision decision = DecideStartup(args);
    if (decision.mode == RunMode::XScreenSaverSetup) {
        if (!decision.unexpected.empty()) {
            std::fprintf(stderr, "revuro: %s takes nothing after it, not \"%s\"\n",
                         kXScreenSaverSetupOption, decision.unexpected.c_str());
            return 2;
        }
        const SetupReport report = SetUpXScreenSaver(UserHomeFolder(), ProgramPath());
        std::fputs(report.text.c_str(), report.status == 0 ? stdout : stderr);
        return report.status;
    }

    X11Refusal refusal;
    const std::unique_ptr<X11Desktop> desktop = X11Desktop::Connect(decision, args, refusal);
    if (!desktop) {
        std::fprintf(stderr, "revuro: %s\n", refusal.message.c_str());
        return refusal.status;
    }

    QApplication app(argc, argv);
    const VideoOutput output = desktop->Start();
    std::setlocale(LC_NUMERIC, "C");  // libmpv parses numbers in the C locale
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationVersion(kVersionText);
    // The program speaks Chinese whatever the locale; Qt's own dialogs and buttons should too.
    // Only the configuration dialog and the windows it opens have any, or show an icon: the
    // saver and its preview load neither.
    QTranslator qtTexts;
    if (decision.mode == RunMode::Configure) {
        QApplication::setWindowIcon(QIcon(":/revuro/icon.ico"));
        if (qtTexts.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(&qtTexts);
    }

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
    const PlaylistPlaces places = FindPlaylistPlaces(folder, UserDataFolder());
    const PlayerFactory players(codec, output);

    std::unique_ptr<QWidget> window;
    FrmScr* saver = nullptr;
    switch (decision.mode) {
        case RunMode::Configure: {
            auto config = std::make_unique<FrmConfig>(places, settings, playlists, players);
            config->Load();
            config->show();
            window = std::move(config);
            break;
        }
        case RunMode::Preview: {
            auto frmScr = std::make_unique<FrmScr>(RunMode::Preview, folder, places.toRead,
                                                   settings, players);
            frmScr->Load();
            desktop->ShowInHost(*frmScr, kPreviewTitle);
            saver = frmScr.get();
            window = std::move(frmScr);
            break;
        }
        default: {
            // xscreensaver starts one process per monitor, each with a window of its own, and
            // decides itself how many run: a saver with a host window skips the guard, or the
            // second monitor's would end at the first one's window.
            if (!desktop->HasHost() && desktop->SaverRunning(lock)) TerminateImmediately(0);
            auto frmScr =
                std::make_unique<FrmScr>(RunMode::Saver, folder, places.toRead, settings, players);
            if (desktop->HasHost()) frmScr->UseHostWindow(desktop->HostPlaysSound());
            frmScr->Load();
            if (desktop->HasHost()) {
                desktop->ShowInHost(*frmScr, kSaverTitle);
            } else {
                frmScr->show();
            }
            saver = frmScr.get();
            window = std::move(frmScr);
            break;
        }
    }
    if (saver != nullptr) {
        desktop->WatchMonitorPower(saver,
                                   [saver](MonitorPower power) { saver->SetMonitorPower(power); });
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
