#include "platform/Files.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <vector>

#include "platform/win32/FileHandle.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/WideText.h"

namespace revuro {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr std::size_t kTemporaryLetters = 6;

Result<std::wstring> WidePath(const std::string& path) {
    Result<std::wstring> wide = WideText(path);
    if (!wide) return Error{ErrorKind::InvalidPath, "the path " + wide.error().reason, path};
    return wide;
}

// A name for the temporary file beside the target: the target's name, a dot and six letters or
// digits, which no other file has yet (CREATE_NEW tells).
std::wstring TemporaryName(const std::wstring& path, unsigned attempt) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::uint64_t seed = GetTickCount64() ^ (std::uint64_t{GetCurrentProcessId()} << 20) ^
                         (std::uint64_t{GetCurrentThreadId()} << 40) ^
                         attempt * 0x9E3779B97F4A7C15u;
    std::wstring name = path + L".";
    for (std::size_t i = 0; i < kTemporaryLetters; ++i, seed >>= 4) name += kDigits[seed & 0xF];
    return name;
}

bool IsTemporaryName(std::wstring_view name, std::wstring_view prefix) {
    if (name.size() != prefix.size() + kTemporaryLetters) return false;
    if (CompareStringOrdinal(name.data(), static_cast<int>(prefix.size()), prefix.data(),
                             static_cast<int>(prefix.size()), TRUE) != CSTR_EQUAL)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](wchar_t c) { return std::iswalnum(c) && c < 0x80; });
}

std::size_t NameStart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

// Removes what earlier writes of `target` left when they were killed: plain files named like
// their temporaries, beside it. Each is opened to be deleted on closing, sharing nothing, which
// fails while a write at work holds it open: that one stays.
void RemoveLeftoverTemporaries(const std::wstring& target) {
    const std::size_t start = NameStart(target);
    const std::wstring folder = target.substr(0, start);
    const std::wstring prefix = target.substr(start) + L".";
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = folder + prefix + L"*";
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const DWORD skip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT |
                           FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM;
        if ((found.dwFileAttributes & skip) == 0 && IsTemporaryName(found.cFileName, prefix))
            CloseHandle(
                CreateFileW((folder + found.cFileName).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The file a write to `path` replaces: the file at the end of a symbolic link, so that the link
// stays a link; `path` itself otherwise, also when it is missing (the write creates it).
Result<std::wstring> FinalTarget(const std::wstring& path, const std::string& utf8) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    const FileHandle file(CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return SystemError(utf8, GetLastError());
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(
            file.get(), final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
        if (length == 0) return SystemError(utf8, GetLastError());
        if (length < final.size()) {
            final.resize(length);
            return final;
        }
        final.resize(length + 1);
    }
}

Outcome WriteAll(HANDLE file, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return SystemError(path, GetLastError());
        bytes.remove_prefix(written);
    }
    return Ok();
}

// Moves `from` over `to`. While another process or thread has the target open without sharing
// its deletion (another save replacing it at this moment, a virus scanner reading it) the move is
// refused; it is tried again for a while, since such a hold ends by itself.
bool MoveOver(const std::wstring& from, const std::wstring& to) {
    constexpr DWORD kMostAttempts = 40;
    for (DWORD attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
            attempt == kMostAttempts)
            return false;
        Sleep(attempt);
    }
}

// A new temporary, written, flushed and moved over the target.
Outcome WriteThroughTemporary(const std::wstring& target, std::string_view bytes,
                              const std::string& path, DWORD attributes) {
    std::wstring temp;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; created == INVALID_HANDLE_VALUE; ++attempt) {
        temp = TemporaryName(target, attempt);
        // Held open until it has been moved, so no other save's cleanup removes it; sharing
        // deletion lets the move go ahead meanwhile.
        created = CreateFileW(temp.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                              attributes, nullptr);
        const DWORD error = created == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (created == INVALID_HANDLE_VALUE && (error != ERROR_FILE_EXISTS || attempt == 99))
            return SystemError(path, error);
    }
    FileHandle file(created);

    auto fail = [&](Error error) -> Outcome {
        if (file.valid()) file.Close();
        DeleteFileW(temp.c_str());
        return error;
    };
    if (Outcome written = WriteAll(file.get(), bytes, path); !written) return fail(written.error());
    if (!FlushFileBuffers(file.get())) return fail(SystemError(path, GetLastError()));
    // rename() of the C library does not replace an existing file on Windows; this does, and
    // returns only when the new name is on the disk.
    if (!MoveOver(temp, target)) return fail(SystemError(path, GetLastError()));
    if (!file.Close()) return SystemError(path, GetLastError());
    return Ok();
}

}  // namespace

Outcome WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const Result<std::wstring> wide = WidePath(path);
    if (!wide) return wide.error();
    const Result<std::wstring> found = FinalTarget(wide.value(), path);
    if (!found) return found.error();
    const std::wstring& target = found.value();

    // A read-only file is not replaced behind the user's back; a replaced file keeps its other
    // attributes (hidden, archive), a new one gets the usual.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Error{ErrorKind::IsAFolder, SystemMessage(ERROR_ACCESS_DENIED), path};
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return SystemError(path, ERROR_ACCESS_DENIED);
    attributes = attributes == INVALID_FILE_ATTRIBUTES
                     ? FILE_ATTRIBUTE_NORMAL
                     : (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    RemoveLeftoverTemporaries(target);

    return WriteThroughTemporary(target, bytes, path, attributes);
}

Result<std::string> ReadWholeFile(const std::string& path) {
    const Result<std::wstring> wide = WidePath(path);
    if (!wide) return wide.error();
    FileHandle file(CreateFileW(wide.value().c_str(), GENERIC_READ, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        // A folder is refused as access denied: say what it is.
        const DWORD attributes = GetFileAttributesW(wide.value().c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return Error{ErrorKind::IsAFolder, SystemMessage(error), path};
        return SystemError(path, error);
    }
    // In blocks, not a character at a time: a full playlist is megabytes.
    std::string bytes;
    std::vector<char> block(64 * 1024);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr))
            return SystemError(path, GetLastError());
        if (read == 0) break;
        bytes.append(block.data(), read);
    }
    return bytes;
}

bool CanOpenForReading(const std::string& path) {
    const Result<std::wstring> wide = WidePath(path);
    if (!wide) return false;
    // A folder opens too, as on POSIX systems: reading it then fails and says why.
    const FileHandle file(CreateFileW(wide.value().c_str(), GENERIC_READ, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.valid();
}

namespace {

bool StartsWithPipeNamespace(const std::wstring& path) {
    std::wstring start = path.substr(0, 9);
    std::transform(start.begin(), start.end(), start.begin(), ::towlower);
    return start == L"\\\\.\\pipe\\" || start == L"\\\\?\\pipe\\";
}

}  // namespace

std::optional<Error> MediaPathProblem(const std::string& path) {
    const Result<std::wstring> wide = WidePath(path);
    if (!wide) return wide.error();
    // Opening a pipe would connect to its server, or wait for one.
    if (StartsWithPipeNamespace(wide.value())) return Error{ErrorKind::IsAPipe, "is a pipe", path};
    const DWORD attributes = GetFileAttributesW(wide.value().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return SystemError(path, GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Error{ErrorKind::IsAFolder, "is a folder", path};
    // Device names (NUL, CON, COM1 ...) pass the attribute test: only the open handle tells.
    // Opened for reading, so a file we may not read is refused here, not called damaged later.
    const FileHandle file(CreateFileW(wide.value().c_str(), GENERIC_READ, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return SystemError(path, GetLastError());
    switch (GetFileType(file.get())) {
        case FILE_TYPE_DISK:
            return std::nullopt;
        case FILE_TYPE_CHAR:
            return Error{ErrorKind::IsADevice, "is a device", path};
        case FILE_TYPE_PIPE:
            return Error{ErrorKind::IsAPipe, "is a pipe", path};
        default:
            return Error{ErrorKind::NotAFile, "is not a regular file", path};
    }
}

bool CanCreateFilesIn(const std::string& folder) {
    const Result<std::wstring> wide = WidePath(folder);
    if (!wide) return false;
    // The real attempt: a file that goes when it is closed, so nothing is left to clean up.
    const std::wstring prefix = wide.value() + L"\\.revuro-probe";
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        const FileHandle probe(
            CreateFileW(TemporaryName(prefix, attempt).c_str(), GENERIC_WRITE, 0, nullptr,
                        CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (probe.valid()) return true;
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

bool PathExists(const std::string& path) {
    const Result<std::wstring> wide = WidePath(path);
    return wide && GetFileAttributesW(wide.value().c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

// Where the folders of `path` begin: after "C:\", "\\server\share\" or "\\?\C:\".
std::size_t RootLength(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\", 0) == 0) return 4 + RootLength(path.substr(4));
    if (path.rfind(L"\\\\", 0) == 0) {
        const std::size_t server = path.find_first_of(L"\\/", 2);
        if (server == std::wstring::npos) return path.size();
        const std::size_t share = path.find_first_of(L"\\/", server + 1);
        return share == std::wstring::npos ? path.size() : share + 1;
    }
    if (path.size() >= 2 && path[1] == L':') return path.size() >= 3 ? 3 : 2;
    return 0;
}

}  // namespace

Outcome MakeFolders(const std::string& folder) {
    const Result<std::wstring> wide = WidePath(folder);
    if (!wide) return wide.error();
    const std::wstring& path = wide.value();
    // Each folder from the root down; the new ones take the access list of the folder above
    // them, which under the user's profile is the user's alone.
    for (std::size_t end = RootLength(path); end <= path.size(); ++end) {
        if (end < path.size() && path[end] != L'\\' && path[end] != L'/') continue;
        const std::wstring made = path.substr(0, end);
        if (made.empty() || made.back() == L'\\' || made.back() == L'/') continue;
        if (!CreateDirectoryW(made.c_str(), nullptr)) {
            if (const DWORD error = GetLastError(); error != ERROR_ALREADY_EXISTS)
                return SystemError(Utf8Text(made), error);
        }
        const DWORD attributes = GetFileAttributesW(made.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = GetLastError();
            return SystemError(Utf8Text(made), error);
        }
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return SystemError(Utf8Text(made), ERROR_DIRECTORY);
    }
    return Ok();
}

Outcome RemoveFile(const std::string& path) {
    const Result<std::wstring> wide = WidePath(path);
    if (!wide) return wide.error();
    if (!DeleteFileW(wide.value().c_str())) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return SystemError(path, error);
    }
    return Ok();
}

}  // namespace revuro
