#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Result.h"
#include "core/startup/RunMode.h"

namespace revuro {

struct StartupDecision {
    RunMode mode = RunMode::Saver;
    // Preview only: the host window; nullopt when the text holds no usable number.
    std::optional<std::int32_t> previewParent;
    // Setup only: what followed the option, which takes nothing; empty when nothing did.
    std::string unexpected;
};

// The option that adds the program to xscreensaver's list; any letter case.
inline constexpr const char* kXScreenSaverSetupOption = "--xscreensaver-setup";

// The arguments after the program's path, joined by spaces, trimmed of spaces, upper-cased.
std::string CommandText(const std::vector<std::string>& args);

// The whole start-up decision. A command text that begins with the setup option as a word sets
// up xscreensaver. Otherwise only the first two characters of the command text count: "/C"
// configures, "/P" previews, everything else (empty included) runs the saver.
StartupDecision DecideStartup(const std::vector<std::string>& args);

// The last run of digits of the trimmed text as a number; nullopt when the text ends in no
// digit or the digits exceed 2147483647. "/P 12 34" gives 34. A sign never belongs to it.
std::optional<std::int32_t> GetTrailingNumber(std::string text);

// The environment variable in which xscreensaver names the window a screen hack plays in.
inline constexpr const char* kXScreenSaverWindowVariable = "XSCREENSAVER_WINDOW";

// An X window id as xscreensaver and its settings program write it: "0x" or "0X" followed by
// hex digits, or decimal digits; spaces around it are allowed. Nothing for any other text, for
// 0 (no window) and for ids beyond 32 bits.
std::optional<std::uint32_t> ParseWindowId(std::string_view text);

// The window another program gave a full-screen saver to play in instead of its own: the id
// after the last "-window-id" or "--window-id" (any letter case) on the command line, else
// the id in xscreensaverWindow (the variable's value; null or empty when unset). Nothing when
// neither is there; an error naming the source when the id given is not a window id.
Result<std::optional<std::uint32_t>> SaverHostWindow(const std::vector<std::string>& args,
                                                     const char* xscreensaverWindow);

}  // namespace revuro
