#pragma once

#include <string_view>

namespace revuro {

// What a file holds, as far as its name tells.
enum class ItemKind {
    Media,    // played to its end by the backend
    Picture,  // shown for a while, then the list goes on
    Flash,    // a Flash movie: played by a Flash player, not the media backend
    List,     // a list of further items (M3U, ASX, WPL)
};

// By the extension, lower case and without the dot.
ItemKind KindOfExtension(std::string_view extension);

}  // namespace revuro
