#pragma once

#include <string>

namespace revuro {

// Tells whether another instance of this program runs for the same user. Every instance holds
// a shared lock on one file in the user's runtime folder for its whole life; an instance that
// can take the lock exclusively for a moment is the only one.
class InstanceLock {
  public:
    explicit InstanceLock(const std::string& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool AnotherInstanceRunning() const { return anotherRunning_; }

  private:
    int fd_ = -1;
    bool anotherRunning_ = false;
};

}  // namespace revuro
