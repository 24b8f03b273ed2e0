#include "platform/ProgramFolder.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace revuro {

char NativePathSeparator() { return '\\'; }

namespace {

std::wstring ExecutablePath() {
    // Paths beyond MAX_PATH exist; the buffer grows until the whole name fits.
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (length < exe.size()) {
            exe.resize(length);
            break;
        }
        exe.resize(exe.size() * 2);
    }
    return exe;
}

}  // namespace

std::string ProgramPath() { return Utf8Text(ExecutablePath()); }

std::string ProgramFolder() {
    const std::wstring exe = ExecutablePath();
    std::wstring folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
    // A drive root keeps its separator ("C:\"); any other folder loses it.
    if (folder.size() > 1 && folder[folder.size() - 2] != L':') folder.pop_back();
    return Utf8Text(folder);
}

}  // namespace revuro
