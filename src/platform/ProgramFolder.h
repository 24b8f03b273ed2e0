#pragma once

#include <string>

namespace revuro {

// The separator of this system's paths.
char NativePathSeparator();

// The folder that holds the running executable, without a trailing separator unless it is a
// root folder.
std::string ProgramFolder();

// The running executable's full path.
std::string ProgramPath();

}  // namespace revuro
