#pragma once

#include <string>

namespace revuro {

// What the setup tells the user, and the program's exit status: 0 when Revuro is in the list
// (added now or there already), else 1 and the text says why nothing changed.
struct SetupReport {
    int status = 0;
    std::string text;  // whole lines; for the standard output on 0, else for the error output
};

// The settings file of xscreensaver in the home folder, and the copy of it that the setup keeps.
inline constexpr const char* kXScreenSaverFileName = ".xscreensaver";
inline constexpr const char* kXScreenSaverCopySuffix = ".before-revuro";

// Adds the display mode "Revuro", which runs `programPath`, to the list in the user's
// xscreensaver settings file, once. The file as it was is kept beside it first; both are
// written whole, so a failure leaves the file as it was.
SetupReport SetUpXScreenSaver(const std::string& homeFolder, const std::string& programPath);

}  // namespace revuro
