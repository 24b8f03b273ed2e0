#pragma once

#include "core/startup/InstanceGuard.h"
#include "platform/InstanceLock.h"

namespace revuro {

// The desktop as the single-instance guard sees it on Windows: the per-user lock, and the
// top-level windows of every program by their titles.
class Win32InstanceQuery : public InstanceQuery {
  public:
    explicit Win32InstanceQuery(const InstanceLock& lock) : lock_(lock) {}

    bool AnotherInstanceRunning() const override { return lock_.AnotherInstanceRunning(); }
    bool TopLevelWindowExists(const std::string& title) const override;

  private:
    const InstanceLock& lock_;
};

}  // namespace revuro
