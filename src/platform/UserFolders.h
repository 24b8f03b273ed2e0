#pragma once

#include <string>

namespace revuro {

// $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute.
std::string UserConfigFolder();

// $XDG_RUNTIME_DIR, or a private folder under /tmp named after the user when it is unset.
std::string UserRuntimeFolder();

}  // namespace revuro
