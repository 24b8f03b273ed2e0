#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>
#include <vector>

#include "platform/posix/SystemError.h"

namespace revuro {

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

Outcome WriteAll(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return SystemError(path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return Ok();
}

// Links followed before giving up, as the kernel does when it opens a path.
constexpr int kMostLinks = 40;
// How often a temporary that another save's cleanup took is made again.
constexpr int kMostTemporaries = 8;

// The file a write to `path` replaces: `path` itself, or the end of the chain of symbolic links
// that starts there, so that a link stays a link. The end may be missing (the write creates it).
Result<std::string> FinalTarget(const std::string& path) {
    std::filesystem::path target = path;
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) break;
        if (links == kMostLinks) return SystemError(path, ELOOP);
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error) return SystemError(target, error.value());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target.string();
}

// A name mkstemp makes from `prefix` ("<file>."): the prefix and six of its characters.
bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) return false;
    for (char c : name.substr(prefix.size())) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) return false;
    }
    return true;
}

// Removes what earlier writes of `target` left when they were killed: regular files of this
// user named like their temporaries, beside it. One that another write holds locked is in use.
void RemoveLeftoverTemporaries(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const std::string prefix = target.filename().string() + ".";
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) return;
    const int at = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        const char* name = entry->d_name;
        if (!IsTemporaryName(name, prefix)) continue;
        struct stat named {};
        if (::fstatat(at, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode) ||
            named.st_uid != ::geteuid()) {
            continue;
        }
        const FileDescriptor fd(
            ::openat(at, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat opened {};
        if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0 || opened.st_dev != named.st_dev ||
            opened.st_ino != named.st_ino || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        // Locked, so no write is at work on it; the name must still be this file.
        if (::fstatat(at, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
            ::unlinkat(at, name, 0);
        }
    }
}

// A temporary file beside `target`, created private and locked for as long as the returned
// descriptor (or a duplicate) is open, so that another write's cleanup leaves it alone.
Result<int> LockedTemporary(const std::string& target, std::string& temp) {
    for (int attempt = 0; attempt < kMostTemporaries; ++attempt) {
        std::vector<char> pattern(target.begin(), target.end());
        const char suffix[] = ".XXXXXX";
        pattern.insert(pattern.end(), suffix, suffix + sizeof suffix);
        FileDescriptor fd(::mkstemp(pattern.data()));
        if (fd.get() < 0) return SystemError(target, errno);
        // A cleanup may take the file between its creation and the lock: it holds the lock
        // and removes the file, or has removed it already. Where the file system has no locks,
        // no cleanup can lock anything, so none removes anything.
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) continue;
        struct stat status {};
        if (::fstat(fd.get(), &status) == 0 && status.st_nlink == 0) continue;
        temp.assign(pattern.data());
        return fd.release();
    }
    return Error{"the temporary file was removed while it was being written", target};
}

}  // namespace

Outcome WriteFileAtomically(const std::string& path, std::string_view bytes) {
    Result<std::string> found = FinalTarget(path);
    if (!found) return found.error();
    const std::string& target = found.value();

    // Renaming needs only the folder's permission: a file the user may not write is not
    // replaced behind its back. A new file gets the usual mode, a replaced one keeps its own.
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return SystemError(target, errno);
    }
    RemoveLeftoverTemporaries(target);

    std::string temp;
    Result<int> made = LockedTemporary(target, temp);
    if (!made) return made.error();
    FileDescriptor fd(made.value());
    // The duplicate keeps the lock after the descriptor is closed, until the rename is done.
    const FileDescriptor lock(::dup(fd.get()));

    auto fail = [&](Error error) -> Outcome {
        ::unlink(temp.c_str());
        return error;
    };
    if (lock.get() < 0) return fail(SystemError(target, errno));
    mode_t mode = existing.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd.get(), mode);

    if (Outcome written = WriteAll(fd.get(), bytes, target); !written) return fail(written.error());
    if (::fsync(fd.get()) != 0) return fail(SystemError(target, errno));
    if (::close(fd.release()) != 0) return fail(SystemError(target, errno));
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail(SystemError(target, errno));
    return Ok();
}

Result<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return SystemError(path, errno);
    // In blocks, not a character at a time: a full playlist is megabytes.
    std::string bytes;
    char block[64 * 1024];
    while (in.read(block, sizeof block) || in.gcount() > 0) bytes.append(block, in.gcount());
    if (in.bad()) return SystemError(path, errno);
    return bytes;
}

bool CanOpenForReading(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    return fd.get() >= 0;
}

std::optional<Error> MediaPathProblem(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        // A file where a folder should be: to the user, the file is not there.
        return SystemError(path, errno == ENOTDIR ? ENOENT : errno);
    }
    if (S_ISDIR(status.st_mode)) return Error{ErrorKind::IsAFolder, "is a folder", path};
    if (S_ISFIFO(status.st_mode)) return Error{ErrorKind::IsAPipe, "is a pipe", path};
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return Error{ErrorKind::IsADevice, "is a device", path};
    if (!S_ISREG(status.st_mode)) return Error{ErrorKind::NotAFile, "is not a regular file", path};
    // Refused here, a file we may not read is not mistaken for a damaged one by the player.
    if (::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) != 0) return SystemError(path, errno);
    return std::nullopt;
}

bool CanCreateFilesIn(const std::string& folder) {
    // A file without a name, gone when it is closed: the real attempt, with nothing to clean up.
    const FileDescriptor probe(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (probe.get() >= 0) return true;
    // File systems without such files answer so; the permission check is the next best answer.
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
        return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
    return false;
}

bool PathExists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

Outcome MakeFolders(const std::string& folder) {
    std::filesystem::path made;
    for (const std::filesystem::path& part : std::filesystem::path(folder)) {
        made /= part;
        if (::mkdir(made.c_str(), 0700) == 0 || errno == EEXIST) continue;
        return SystemError(made.string(), errno);
    }
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) return SystemError(folder, errno);
    if (!S_ISDIR(status.st_mode)) return SystemError(folder, ENOTDIR);
    return Ok();
}

Outcome RemoveFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return SystemError(path, errno);
    return Ok();
}

}  // namespace revuro
