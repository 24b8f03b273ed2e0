#pragma once

#include "core/about/RegistryReader.h"

namespace revuro {

// The registry of a system that has none, such as Linux: no key can be opened.
class NoRegistry : public RegistryReader {
  public:
    Result<std::unique_ptr<RegistryKey>> OpenKey(std::uint32_t root, const std::string& path,
                                                 std::uint32_t access) override;
};

}  // namespace revuro
