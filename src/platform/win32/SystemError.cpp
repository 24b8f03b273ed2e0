#include "platform/win32/SystemError.h"

#include <windows.h>

#include <cerrno>

#include "platform/FileSystemError.h"
#include "platform/win32/WideText.h"

namespace revuro {

namespace {
// Missing from mingw-w64's winerror.h.
constexpr unsigned long kDiskQuotaExceeded = 1295;
}  // namespace

std::string SystemMessage(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0) return "system error " + std::to_string(code);
    std::wstring message(text, length);
    LocalFree(text);
    while (!message.empty() &&
           (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return Utf8Text(message);
}

ErrorKind ErrorKindOfWin32(unsigned long code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return ErrorKind::NotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_PRIVILEGE_NOT_HELD:
            return ErrorKind::PermissionDenied;
        case ERROR_WRITE_PROTECT:
            return ErrorKind::ReadOnlyFileSystem;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ErrorKind::NoSpace;
        case kDiskQuotaExceeded:
            return ErrorKind::QuotaExceeded;
        case ERROR_FILE_TOO_LARGE:
            return ErrorKind::FileTooLarge;
        case ERROR_FILENAME_EXCED_RANGE:
            return ErrorKind::NameTooLong;
        case ERROR_DIRECTORY:
            return ErrorKind::NotAFolder;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_IO_DEVICE:
            return ErrorKind::IoError;
        default:
            return ErrorKind::Other;
    }
}

Error SystemError(const std::string& path, unsigned long code) {
    return Error{ErrorKindOfWin32(code), SystemMessage(code), path};
}

Error FileSystemError(const std::string& path, const std::error_code& code) {
    if (code.category() == std::system_category()) return SystemError(path, code.value());
    // The C library's errno values, where the library went through it.
    switch (code.value()) {
        case ENOENT:
            return Error{ErrorKind::NotFound, code.message(), path};
        case EACCES:
        case EPERM:
            return Error{ErrorKind::PermissionDenied, code.message(), path};
        case ENOSPC:
            return Error{ErrorKind::NoSpace, code.message(), path};
        case ENAMETOOLONG:
            return Error{ErrorKind::NameTooLong, code.message(), path};
        case ENOTDIR:
            return Error{ErrorKind::NotAFolder, code.message(), path};
        case EISDIR:
            return Error{ErrorKind::IsAFolder, code.message(), path};
        case EIO:
            return Error{ErrorKind::IoError, code.message(), path};
        default:
            return Error{code.message(), path};
    }
}

}  // namespace revuro
