#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "startup/RunMode.h"

namespace revuro {

struct StartupDecision {
    RunMode mode = RunMode::Saver;
    // Preview only: the host window; nullopt when the text holds no usable number.
    std::optional<std::int32_t> previewParent;
};

// The arguments after the program's path, joined by spaces, trimmed of spaces, upper-cased.
std::string CommandText(const std::vector<std::string>& args);

// The whole start-up decision. Only the first two characters of the command text count:
// "/C" configures, "/P" previews, everything else (empty included) runs the saver.
StartupDecision DecideStartup(const std::vector<std::string>& args);

// The last run of digits of the trimmed text as a number; nullopt when the text ends in no
// digit or the digits exceed 2147483647. "/P 12 34" gives 34. A sign never belongs to it.
std::optional<std::int32_t> GetTrailingNumber(std::string text);

}  // namespace revuro
