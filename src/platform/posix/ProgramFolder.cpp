#include "platform/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace revuro {

char NativePathSeparator() { return '/'; }

std::string ProgramFolder() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) exe = std::filesystem::current_path(error) / "revuro";
    return exe.parent_path().string();
}

}  // namespace revuro
