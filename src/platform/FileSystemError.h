#pragma once

#include <string>
#include <system_error>

#include "core/Result.h"

namespace revuro {

// A failed std::filesystem call on `path`: the library's text for `code`, and what it means for
// the user's message. The library reports the system's own codes, errno or Win32 by platform.
Error FileSystemError(const std::string& path, const std::error_code& code);

}  // namespace revuro
