// Start-up: Windows starts a screen saver with /s (run), /p <window> (preview in that window)
// and /c (settings), in the forms "/p 1234", "/P:1234" and "/c:1234"; the run mode is decided
// from that text by the core, as on every system.

#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/player/LocalMediaFiles.h"
#include "core/player/PlaylistReader.h"
#include "core/startup/CommandLine.h"
#include "core/startup/InstanceGuard.h"
#include "core/store/PlaylistFile.h"
#include "core/store/PlaylistPlaces.h"
#include "platform/InstanceLock.h"
#include "platform/NarrowCodec.h"
#include "platform/Process.h"
#include "platform/ProgramFolder.h"
#include "platform/UserFolders.h"
#include "platform/win32/RegistrySettingsStore.h"
#include "platform/win32/WideText.h"
#include "win32/FormSlot.h"
#include "win32/about/frmAbout.h"
#include "win32/config/FrmConfig.h"
#include "win32/saver/FrmScr.h"
#include "win32/startup/Win32InstanceQuery.h"
#include "win32/trialplay/TrialWindowSlot.h"

using namespace revuro;

namespace {

// A preview window that is not a number or names no window: no window of ours, this status.
constexpr int kNoHostStatus = 2;
// A window that could not be made.
constexpr int kNoWindowStatus = 1;

// The arguments after the program's own path, as UTF-8.
std::vector<std::string> Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i) args.push_back(Utf8Text(wide[i]));
    LocalFree(wide);
    return args;
}

// OLE on this thread while the program runs: the media player control is an ActiveX control.
class OleSession {
  public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

  private:
    bool ok_;
};

// `preTranslate` sees each message first and says whether it used it.
int RunMessageLoop(const std::function<bool(MSG&)>& preTranslate) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (preTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// The settings dialog, owned by the window "/c:<window>" names when there is one. The program
// ends once the dialog and the trial window and about box it opened are all closed.
int RunConfiguration(const std::vector<std::string>& args, const PlaylistPlaces& places,
                     SettingsStore& settings, const PlaylistReader& reader,
                     const PlaylistFile& playlists) {
    HWND owner = nullptr;
    if (const auto number = GetTrailingNumber(CommandText(args)); number && *number != 0) {
        owner = reinterpret_cast<HWND>(static_cast<std::intptr_t>(*number));
        if (!IsWindow(owner)) owner = nullptr;
    }
    bool dialogOpen = true;
    std::function<void()> quitWhenAllClosed;
    TrialWindowSlot trial(reader, [&quitWhenAllClosed] { quitWhenAllClosed(); });
    FormSlot<frmAbout> about(&frmAbout::Create, [&quitWhenAllClosed] { quitWhenAllClosed(); });
    quitWhenAllClosed = [&] {
        if (!dialogOpen && !trial.open() && !about.open()) PostQuitMessage(0);
    };
    const std::unique_ptr<FrmConfig> form = FrmConfig::Create(
        owner, places, settings, playlists, trial,
        [&about] {
            if (about.Get() != nullptr) about.BringForward();
        },
        [&] {
            dialogOpen = false;
            quitWhenAllClosed();
        });
    if (!form) return kNoWindowStatus;
    form->Load();
    form->Show();
    return RunMessageLoop([&form, &about](MSG& message) {
        if (about.open() && about.form()->PreTranslateMessage(message)) return true;
        return form->PreTranslateMessage(message);
    });
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const StartupDecision decision = DecideStartup(Arguments());
    const std::string folder = ProgramFolder();

    HWND host = nullptr;
    switch (decision.mode) {
        case RunMode::Configure:
            // The dialog is laid out in twips at the screen's own resolution.
            SetProcessDPIAware();
            break;
        case RunMode::Preview:
            if (decision.previewParent)
                host = reinterpret_cast<HWND>(static_cast<std::intptr_t>(*decision.previewParent));
            if (host == nullptr || !IsWindow(host)) return kNoHostStatus;
            break;
        default:
            break;
    }

    const InstanceLock lock(UserRuntimeFolder() + "\\revuro.lock");
    if (decision.mode == RunMode::Saver && CheckPrevInstance(Win32InstanceQuery(lock)))
        TerminateImmediately(0);

    const OleSession ole;
    const NarrowCodec codec = NarrowCodec::ForLocale();
    const LocalMediaFiles files;
    const PlaylistReader reader(files, codec);
    RegistrySettingsStore settings;
    const PlaylistPlaces places = FindPlaylistPlaces(folder, UserDataFolder());
    if (decision.mode == RunMode::Configure) {
        const PlaylistFile playlists(codec);
        return RunConfiguration(Arguments(), places, settings, reader, playlists);
    }
    const std::unique_ptr<FrmScr> form =
        FrmScr::Create(decision.mode, host, folder, places.toRead, settings, reader);
    if (!form) return kNoWindowStatus;
    form->Load();
    return RunMessageLoop([&form](MSG& message) { return form->PreTranslateMessage(message); });
}
