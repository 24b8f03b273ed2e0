#include "core/Result.h"

namespace revuro {

std::string Error::Describe() const {
    std::string text;
    if (!path.empty()) text += path;
    if (line > 0) text += (text.empty() ? "line " : ", line ") + std::to_string(line);
    if (!text.empty()) text += ": ";
    return text + reason;
}

}  // namespace revuro
