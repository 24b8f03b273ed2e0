#include "platform/posix/NoRegistry.h"

namespace revuro {

Result<std::unique_ptr<RegistryKey>> NoRegistry::OpenKey(std::uint32_t, const std::string& path,
                                                         std::uint32_t) {
    return Error{"this system has no registry", path};
}

}  // namespace revuro
