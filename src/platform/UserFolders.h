#pragma once

#include <string>

namespace revuro {

// The user's home folder: on POSIX systems $HOME, or the home folder the user database names when
// it is unset or not absolute; on Windows the profile folder (%USERPROFILE%).
std::string UserHomeFolder();

// The user's folder for settings files: on POSIX systems $XDG_CONFIG_HOME, or ~/.config when it
// is unset or not absolute; on Windows the roaming application data folder (%APPDATA%).
std::string UserConfigFolder();

// The user's folder for data files: on POSIX systems $XDG_DATA_HOME, or ~/.local/share when it
// is unset or not absolute; on Windows the local application data folder (%LOCALAPPDATA%).
std::string UserDataFolder();

// The user's folder for files that live as long as a program runs: on POSIX systems
// $XDG_RUNTIME_DIR, or a private folder under /tmp named after the user when it is unset; on
// Windows the user's temporary folder (%TEMP%).
std::string UserRuntimeFolder();

}  // namespace revuro
