#include "platform/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace revuro {

std::string ProgramFolder() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) exe = std::filesystem::current_path(error) / "revuro";
    return exe.parent_path().string();
}

std::string PathBeside(std::string_view folder, std::string_view name, char separator) {
    std::string path(folder);
    if (path.empty() || path.back() != separator) path += separator;
    return path + std::string(name);
}

}  // namespace revuro
