#pragma once

#include <string>

namespace revuro {

// $HOME, or the home folder the user database names when it is unset or not absolute.
std::string UserHomeFolder();

// $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute.
std::string UserConfigFolder();

// $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute.
std::string UserDataFolder();

// $XDG_RUNTIME_DIR, or a private folder under /tmp named after the user when it is unset.
std::string UserRuntimeFolder();

}  // namespace revuro
