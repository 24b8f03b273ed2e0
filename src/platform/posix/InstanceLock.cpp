#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace revuro {

struct InstanceLock::Held {
    int fd = -1;
};

InstanceLock::InstanceLock(const std::string& path)
    : held_(new Held{::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)}) {
    const int fd = held_->fd;
    if (fd < 0) return;  // no lock file: behave as the only instance
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) anotherRunning_ = true;
    ::flock(fd, LOCK_SH);
}

InstanceLock::~InstanceLock() {
    if (held_->fd >= 0) ::close(held_->fd);
}

}  // namespace revuro
