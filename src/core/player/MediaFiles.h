#pragma once

#include <optional>
#include <string>

#include "core/Result.h"

namespace revuro {

// What the player asks of the file system before it opens an item or reads a list.
class MediaFiles {
  public:
    virtual ~MediaFiles() = default;
    // Why `path` names nothing a media reader should open (missing, a folder, a pipe, a
    // device); nothing when it may be opened.
    virtual std::optional<Error> Problem(const std::string& path) const = 0;
    // The bytes of a list file; refused as by Problem, and when too large to be a list.
    virtual Result<std::string> ReadList(const std::string& path) const = 0;
};

}  // namespace revuro
