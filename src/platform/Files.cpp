#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <vector>

#include "platform/SystemError.h"

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

}  // namespace

Outcome WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::string temp = path + ".XXXXXX";
    std::vector<char> pattern(temp.begin(), temp.end());
    pattern.push_back('\0');
    FileDescriptor fd(::mkstemp(pattern.data()));
    if (fd.get() < 0) return SystemError(path, errno);
    temp.assign(pattern.data());

    auto fail = [&](Error error) -> Outcome {
        ::unlink(temp.c_str());
        return error;
    };
    // mkstemp creates the file private to the user; a playlist or settings file is not secret.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd.get(), 0666 & ~mask);

    if (Outcome written = WriteAll(fd.get(), bytes, path); !written) return fail(written.error());
    if (::fsync(fd.get()) != 0) return fail(SystemError(path, errno));
    if (::close(fd.release()) != 0) return fail(SystemError(path, errno));
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail(SystemError(path, errno));
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

Outcome RemoveFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return SystemError(path, errno);
    return Ok();
}

}  // namespace revuro
