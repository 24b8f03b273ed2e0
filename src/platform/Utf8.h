#pragma once

#include <cstddef>
#include <string_view>

namespace revuro {

bool IsValidUtf8(std::string_view text);

// Characters, not bytes: the unit of every length rule of the program.
std::size_t CountCodePoints(std::string_view utf8);

}  // namespace revuro
