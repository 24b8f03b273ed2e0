#pragma once

#include <string>

namespace revuro {

// Whether a plain file, not a folder or a device, exists at the path.
bool IsPlainFile(const std::string& path);

}  // namespace revuro
