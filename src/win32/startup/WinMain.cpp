// Start-up: Windows starts a screen saver with /s (run), /p <window> (preview in that window)
// and /c (settings), in the forms "/p 1234", "/P:1234" and "/c:1234"; the run mode is decided
// from that text by the core, as on every system.

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/startup/CommandLine.h"
#include "core/startup/InstanceGuard.h"
#include "platform/InstanceLock.h"
#include "platform/Process.h"
#include "platform/ProgramFolder.h"
#include "platform/UserFolders.h"
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

    const std::unique_ptr<FrmScr> form = FrmScr::Create(decision.mode, host, folder);
    if (!form) return 1;
    return RunMessageLoop(*form);
}
