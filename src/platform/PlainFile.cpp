#include "platform/PlainFile.h"

#include <filesystem>
#include <system_error>

#include "core/Paths.h"

namespace revuro {

bool IsPlainFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(FileSystemPath(path), error);
}

}  // namespace revuro
