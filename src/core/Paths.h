#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/ProgramFolder.h"

namespace revuro {

// A file beside the executable: folder, one separator, name. A folder that already ends in the
// separator (a root such as "/" or "C:\") gets none added, so no separator is ever doubled.
std::string PathBeside(std::string_view folder, std::string_view name,
                       char separator = NativePathSeparator());

// The program's UTF-8 path for std::filesystem. A path made from a plain string is read in the
// system's narrow character set, which on Windows is the ANSI code page, not UTF-8.
std::filesystem::path FileSystemPath(std::string_view utf8);

}  // namespace revuro
