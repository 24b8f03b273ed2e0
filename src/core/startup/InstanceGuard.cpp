#include "core/startup/InstanceGuard.h"

namespace revuro {

bool CheckPrevInstance(const InstanceQuery& query) {
    return query.AnotherInstanceRunning() && query.TopLevelWindowExists(kSaverTitle);
}

}  // namespace revuro
