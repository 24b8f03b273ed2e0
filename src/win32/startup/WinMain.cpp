// Start-up: Windows starts a screen saver with /s (run), /p <window> (preview in that window)
// and /c (settings), in the forms "/p 1234", "/P:1234" and "/c:1234"; the run mode is decided
// from that text by the core, as on every system.

#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/player/LocalMediaFiles.h"
#include "core/player/PlaylistReader.h"
#include "core/startup/CommandLine.h"
#include "core/startup/InstanceGuard.h"
#include "core/store/PlaylistPlaces.h"
#include "platform/InstanceLock.h"
#include "platform/NarrowCodec.h"
#include "platform/Process.h"
#include "platform/ProgramFolder.h"
#include "platform/UserFolders.h"
#include "platform/win32/RegistrySettingsStore.h"
#include "platform/win32/WideText.h"
#include "win32/saver/FrmScr.h"
#include "win32/startup/Win32InstanceQuery.h"

using namespace revuro;

namespace {

// A preview window that is not a number or names no window: no window of ours, this status.
constexpr int kNoHostStatus = 2;
// The settings dialog is not part of this program yet.
constexpr int kNotAvailableStatus = 1;

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

int RunMessageLoop(FrmScr& form) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const StartupDecision decision = DecideStartup(Arguments());
    const std::string folder = ProgramFolder();

    HWND host = nullptr;
    switch (decision.mode) {
        case RunMode::Configure:
            return kNotAvailableStatus;
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
    const std::unique_ptr<FrmScr> form =
        FrmScr::Create(decision.mode, host, folder, places.toRead, settings, reader);
    if (!form) return 1;
    form->Load();
    return RunMessageLoop(*form);
}
