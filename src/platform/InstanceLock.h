#pragma once

#include <memory>
#include <string>

namespace revuro {

// Tells whether another instance of this program runs for the same user. Every instance holds
// the lock named by `path` for its whole life. On POSIX systems that is a shared lock on a file
// in the user's runtime folder, and an instance that can take it exclusively for a moment is the
// only one; on Windows a mutex of the logon session named after the path, and the instance that
// creates it is the only one.
class InstanceLock {
  public:
    explicit InstanceLock(const std::string& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool AnotherInstanceRunning() const { return anotherRunning_; }

  private:
    // What the system holds for the lock.
    struct Held;
    std::unique_ptr<Held> held_;
    bool anotherRunning_ = false;
};

}  // namespace revuro
