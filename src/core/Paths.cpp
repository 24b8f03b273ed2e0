#include "core/Paths.h"

namespace revuro {

std::string PathBeside(std::string_view folder, std::string_view name, char separator) {
    std::string path(folder);
    if (path.empty() || path.back() != separator) path += separator;
    return path + std::string(name);
}

std::filesystem::path FileSystemPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace revuro
