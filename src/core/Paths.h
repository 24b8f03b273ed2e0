#pragma once

#include <string>
#include <string_view>

#include "platform/ProgramFolder.h"

namespace revuro {

// A file beside the executable: folder, one separator, name. A folder that already ends in the
// separator (a root such as "/" or "C:\") gets none added, so no separator is ever doubled.
std::string PathBeside(std::string_view folder, std::string_view name,
                       char separator = NativePathSeparator());

}  // namespace revuro
