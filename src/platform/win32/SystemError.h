#pragma once

#include <string>

#include "core/Result.h"

namespace revuro {

// The system's own description of a Win32 error code (GetLastError, LSTATUS), in the user's
// language, as UTF-8 text without the trailing line break.
std::string SystemMessage(unsigned long code);

// What a Win32 error code means for the user's message; Other for the codes a user rarely meets.
ErrorKind ErrorKindOfWin32(unsigned long code);

// A failed system call on `path`: the system's text for `code`, and its kind.
Error SystemError(const std::string& path, unsigned long code);

}  // namespace revuro
