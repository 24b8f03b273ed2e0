#include "platform/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace revuro {

char NativePathSeparator() { return '/'; }

std::string ProgramPath() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) exe = std::filesystem::current_path(error) / "revuro";
    return exe.string();
}

std::string ProgramFolder() { return std::filesystem::path(ProgramPath()).parent_path().string(); }

}  // namespace revuro
