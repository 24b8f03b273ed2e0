#pragma once

#include <string>

namespace revuro {

inline constexpr const char* kQuickHelpTitle = "简易帮助";

// The usage text of the dialog's help button: six lines joined by CR LF, none at the end.
std::string QuickHelpText();

}  // namespace revuro
