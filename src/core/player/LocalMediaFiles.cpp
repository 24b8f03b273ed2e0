#include "core/player/LocalMediaFiles.h"

#include <filesystem>
#include <system_error>

#include "platform/Files.h"

namespace revuro {

std::optional<Error> LocalMediaFiles::Problem(const std::string& path) const {
    return MediaPathProblem(path);
}

Result<std::string> LocalMediaFiles::ReadList(const std::string& path) const {
    if (std::optional<Error> problem = Problem(path)) return *problem;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxListBytes)
        return Error{ErrorKind::PlaylistTooLarge, "larger than a list", path};
    return ReadWholeFile(path);
}

}  // namespace revuro
