#pragma once

#include <cstdint>

#include "core/player/MediaFiles.h"

namespace revuro {

// The machine's own file system.
class LocalMediaFiles : public MediaFiles {
  public:
    // No list anyone writes comes near this; a larger file would only fill the memory.
    static constexpr std::uintmax_t kMaxListBytes = 16 * 1024 * 1024;

    std::optional<Error> Problem(const std::string& path) const override;
    Result<std::string> ReadList(const std::string& path) const override;
};

}  // namespace revuro
