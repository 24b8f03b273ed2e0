#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace revuro {

bool IsValidUtf8(std::string_view text);

// The text with each byte that is no part of a valid character replaced by U+FFFD, so that
// bytes of unknown meaning can still be shown; valid text comes back unchanged.
std::string ReplaceInvalidUtf8(std::string_view text);

// Characters, not bytes: the unit of every length rule of the program.
std::size_t CountCodePoints(std::string_view utf8);

// At most `limit` characters (limit >= 1): a longer text keeps its first limit - 1 and ends
// in "…", cut between characters, never inside one.
std::string ElideCodePoints(std::string_view utf8, std::size_t limit);

}  // namespace revuro
