#include "platform/posix/SystemError.h"

#include <cerrno>
#include <cstring>

#include "platform/FileSystemError.h"

namespace revuro {

ErrorKind ErrorKindOfErrno(int code) {
    switch (code) {
        case ENOENT:
            return ErrorKind::NotFound;
        case EACCES:
        case EPERM:
            return ErrorKind::PermissionDenied;
        case EROFS:
            return ErrorKind::ReadOnlyFileSystem;
        case ENOSPC:
            return ErrorKind::NoSpace;
        case EDQUOT:
            return ErrorKind::QuotaExceeded;
        case EFBIG:
            return ErrorKind::FileTooLarge;
        case ENAMETOOLONG:
            return ErrorKind::NameTooLong;
        case ENOTDIR:
            return ErrorKind::NotAFolder;
        case EISDIR:
            return ErrorKind::IsAFolder;
        case EIO:
            return ErrorKind::IoError;
        default:
            return ErrorKind::Other;
    }
}

Error SystemError(const std::string& path, int code) {
    return Error{ErrorKindOfErrno(code), std::strerror(code), path};
}

Error FileSystemError(const std::string& path, const std::error_code& code) {
    return Error{ErrorKindOfErrno(code.value()), code.message(), path};
}

}  // namespace revuro
