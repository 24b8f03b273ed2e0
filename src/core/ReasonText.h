#pragma once

#include <string>

#include "core/Result.h"

namespace revuro {

// What the user is told about a failure, in the program's own words for the failures a user
// meets most (saving, reading, playing), naming the line where there is one; every other
// failure keeps the system's own text. The dialog's boxes and the saver's notes both use it.
std::string ReasonText(const Error& error);

}  // namespace revuro
