#pragma once

#include <string>

namespace revuro {

inline constexpr const char* kSaverTitle = "DavodoR2.0";
inline constexpr const char* kPreviewTitle = "DavodoR2.0 预览";

// What the single-instance guard needs to know about the rest of the desktop.
class InstanceQuery {
  public:
    virtual ~InstanceQuery() = default;
    virtual bool AnotherInstanceRunning() const = 0;
    virtual bool TopLevelWindowExists(const std::string& title) const = 0;
};

// True when a full-screen saver already runs for this user, so this one must end at once.
// Another instance alone (a configuration dialog, a preview) does not stop a new saver.
bool CheckPrevInstance(const InstanceQuery& query);

}  // namespace revuro
