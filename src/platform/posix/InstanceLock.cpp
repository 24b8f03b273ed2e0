#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace revuro {

InstanceLock::InstanceLock(const std::string& path)
    : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_ < 0) return;  // no lock file: behave as the only instance
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) anotherRunning_ = true;
    ::flock(fd_, LOCK_SH);
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace revuro
