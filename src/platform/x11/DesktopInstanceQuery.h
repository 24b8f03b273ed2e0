#pragma once

#include "core/startup/InstanceGuard.h"
#include "platform/InstanceLock.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11WindowFinder.h"

namespace revuro {

// The guard's questions answered by this user's instance lock and the X display.
class DesktopInstanceQuery : public InstanceQuery {
  public:
    explicit DesktopInstanceQuery(const InstanceLock& lock) : lock_(lock) {}

    bool AnotherInstanceRunning() const override { return lock_.AnotherInstanceRunning(); }
    bool TopLevelWindowExists(const std::string& title) const override {
        X11Display display;
        return X11TopLevelWindowExists(display, title);
    }

  private:
    const InstanceLock& lock_;
};

}  // namespace revuro
