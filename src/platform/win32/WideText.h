#pragma once

#include <string>
#include <string_view>

#include "core/Result.h"

namespace revuro {

// The UTF-16 text of a W function from the program's UTF-8 text. Invalid UTF-8 is an error:
// a path changed on the way would name another file.
Result<std::wstring> WideText(std::string_view utf8);

// The program's UTF-8 text from what a W function gave. Windows lets a name hold a lone
// surrogate, which no UTF-8 can; it becomes U+FFFD, so such a name names no file afterwards and
// opening it fails by name instead of reaching another file.
std::string Utf8Text(std::wstring_view wide);

}  // namespace revuro
