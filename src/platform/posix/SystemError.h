#pragma once

#include <string>

#include "core/Result.h"

namespace revuro {

// What an errno value means for the user's message; Other for the codes a user rarely meets.
ErrorKind ErrorKindOfErrno(int code);

// A failed system call on `path`: the system's text for `code`, and its kind.
Error SystemError(const std::string& path, int code);

}  // namespace revuro
