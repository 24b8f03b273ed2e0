#include "platform/UserFolders.h"

#include <shlobj.h>
#include <windows.h>

#include "platform/win32/WideText.h"

namespace revuro {

namespace {

// The user's own temporary folder (%TEMP%), without the trailing separator.
std::string TemporaryFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    std::wstring folder(buffer, length <= MAX_PATH ? length : 0);
    if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return Utf8Text(folder);
}

// One of the user's known folders, made when it is missing; the temporary folder when the
// profile has none.
std::string KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* folder = nullptr;
    if (FAILED(SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &folder))) {
        CoTaskMemFree(folder);
        return TemporaryFolder();
    }
    std::string text = Utf8Text(folder);
    CoTaskMemFree(folder);
    return text;
}

}  // namespace

std::string UserHomeFolder() { return KnownFolder(FOLDERID_Profile); }

std::string UserConfigFolder() { return KnownFolder(FOLDERID_RoamingAppData); }

std::string UserDataFolder() { return KnownFolder(FOLDERID_LocalAppData); }

std::string UserRuntimeFolder() { return TemporaryFolder(); }

}  // namespace revuro
