#include "core/player/LocalMediaFiles.h"

#include <filesystem>
#include <system_error>

#include "platform/Files.h"

namespace revuro {

std::string LocalMediaFiles::Problem(const std::string& path) const {
    return MediaPathProblem(path);
}

Result<std::string> LocalMediaFiles::ReadList(const std::string& path) const {
    if (std::string problem = Problem(path); !problem.empty()) return Error{problem, path};
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxListBytes) return Error{"文件太大，不是播放列表", path};
    return ReadWholeFile(path);
}

}  // namespace revuro
