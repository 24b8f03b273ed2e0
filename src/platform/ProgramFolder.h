#pragma once

#include <string>
#include <string_view>

namespace revuro {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The folder that holds the running executable, without a trailing separator unless it is a
// root folder.
std::string ProgramFolder();

// A file beside the executable: folder, one separator, name. A folder that already ends in the
// separator (a root such as "/" or "C:\") gets none added, so no separator is ever doubled.
std::string PathBeside(std::string_view folder, std::string_view name,
                       char separator = kPathSeparator);

}  // namespace revuro
