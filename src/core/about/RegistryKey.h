#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Result.h"

namespace revuro {

// Value types as the registry numbers them. <windows.h> defines the bare REG_SZ, REG_DWORD
// and friends as macros, so these carry a k prefix.
inline constexpr std::uint32_t kRegSz = 1;     // REG_SZ: text
inline constexpr std::uint32_t kRegDword = 4;  // REG_DWORD: 32-bit little-endian number

// One value as the registry returned it: its type and its bytes, exactly as many as it said.
struct RegistryValue {
    std::uint32_t type = 0;
    std::string data;
};

// An open registry key. Destroying it closes the key.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;

    // Reads the value `name` (narrow text). Data longer than `capacity` bytes is an error, as
    // is a missing value.
    virtual Result<RegistryValue> QueryValue(const std::string& name, std::size_t capacity) = 0;
};

}  // namespace revuro
