#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace revuro {

// xscreensaver's list of display modes: the "programs:" setting of its settings file
// (~/.xscreensaver), read and extended as text. Each line of the setting is one mode,
// `[-] [visual:] ["Name"] command`, ending in "\n\" while more lines follow.
class XScreenSaverPrograms {
  public:
    struct Addition {
        bool added = false;    // false: an entry already runs revuro; the text is unchanged
        std::string text;      // the whole file
        std::size_t line = 0;  // 1-based: the added line, or the entry that runs revuro
    };

    // `programPath` as the command of an entry, quoted for the shell that runs it when it needs
    // to be. A path the file cannot carry (a control character, a backslash) is an error.
    static Result<std::string> CommandFor(std::string_view programPath);

    // The entry for `command`: the display mode "Revuro", with more lines following it.
    static std::string EntryLine(std::string_view command);

    // Adds the entry for `command` as the list's first line and leaves every other line as it
    // was, byte for byte. Nothing is added when an entry already runs a program named revuro.
    // An error when the file has no list, or one on a single line that a line cannot join.
    static Result<Addition> AddRevuro(std::string_view fileText, std::string_view command);
};

}  // namespace revuro
