#include "platform/PlainFile.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace revuro {

bool IsPlainFile(const std::string& path) {
    // The program's text is UTF-8, whatever the system's own character set is.
    const std::u8string_view utf8(reinterpret_cast<const char8_t*>(path.data()), path.size());
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(utf8), error);
}

}  // namespace revuro
