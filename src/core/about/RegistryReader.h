#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/Result.h"
#include "core/about/RegistryKey.h"

namespace revuro {

// Roots and access rights as the registry numbers them; the k prefix keeps them clear of the
// macros of the same names in <windows.h>.
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE
inline constexpr std::uint32_t kKeyRead = 0x20019;               // KEY_READ

// Reads the system registry, where the system has one.
class RegistryReader {
  public:
    virtual ~RegistryReader() = default;

    // Opens `path` (narrow text) below `root` with the access asked for. Refused access is an
    // error like a missing key.
    virtual Result<std::unique_ptr<RegistryKey>> OpenKey(std::uint32_t root,
                                                         const std::string& path,
                                                         std::uint32_t access) = 0;
};

}  // namespace revuro
