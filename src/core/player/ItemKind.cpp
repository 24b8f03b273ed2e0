#include "core/player/ItemKind.h"

#include <algorithm>
#include <array>

namespace revuro {

namespace {

constexpr std::array<std::string_view, 11> kPictures = {"bmp", "dib", "jpg", "jpeg", "jpe", "jfif",
                                                        "png", "gif", "tif", "tiff", "webp"};
constexpr std::array<std::string_view, 7> kLists = {"asx", "wax", "wvx", "wmx",
                                                    "wpl", "m3u", "m3u8"};

}  // namespace

ItemKind KindOfExtension(std::string_view extension) {
    if (std::find(kLists.begin(), kLists.end(), extension) != kLists.end()) return ItemKind::List;
    if (std::find(kPictures.begin(), kPictures.end(), extension) != kPictures.end())
        return ItemKind::Picture;
    if (extension == "swf") return ItemKind::Flash;
    return ItemKind::Media;
}

}  // namespace revuro
