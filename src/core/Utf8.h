#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace revuro {

bool IsValidUtf8(std::string_view text);

// The offset of the first byte that starts no valid UTF-8 character; npos when there is none.
std::size_t FirstInvalidUtf8Byte(std::string_view text);

// Between the program's UTF-8 and the UTF-16 of Windows' system calls. Invalid text is an
// error naming where it goes wrong, never a replacement character: a changed path names
// another file.
Result<std::u16string> Utf8ToUtf16(std::string_view utf8);
Result<std::string> Utf16ToUtf8(std::u16string_view utf16);

// The text with each byte that is no part of a valid character replaced by U+FFFD, so that
// bytes of unknown meaning can still be shown; valid text comes back unchanged.
std::string ReplaceInvalidUtf8(std::string_view text);

// Characters, not bytes: the unit of every length rule of the program.
std::size_t CountCodePoints(std::string_view utf8);

// At most `limit` characters (limit >= 1): a longer text keeps its first limit - 1 and ends
// in "…", cut between characters, never inside one.
std::string ElideCodePoints(std::string_view utf8, std::size_t limit);

}  // namespace revuro
