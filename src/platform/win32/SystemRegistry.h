#pragma once

#include "core/about/RegistryReader.h"

namespace revuro {

// The Windows registry, read with the A functions: key paths, value names and text data in the
// ANSI code page, as the about box's lookups name and decode them.
class SystemRegistry : public RegistryReader {
  public:
    Result<std::unique_ptr<RegistryKey>> OpenKey(std::uint32_t root, const std::string& path,
                                                 std::uint32_t access) override;
};

}  // namespace revuro
