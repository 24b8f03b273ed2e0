#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/flash/FlashDonePolicy.h"

namespace revuro {

// The lines the saver and its Flash helper process exchange, one message per line ending in
// "\n". Paths and reasons are text to the end of the line, with "%", control characters and
// DEL written as "%XX"; every other byte passes as it is (UTF-8 stays readable).
//
// To the helper:                        From the helper:
//   load <id> <path>                      loaded <id> <pass ms> <signal 0|1>
//   stop                                  pass <id>
//   hold on | hold off                    failed <id> <reason>
//   volume <0..100>                       unavailable <reason>  (cannot play anything; it ends)
//
// <id> numbers the loads, so that reports about an item that was replaced meanwhile can be
// told apart. "loaded" comes once the movie shows; "pass" at the end of each pass when the
// movie has a pass signal.
struct FlashCommand {
    enum class Kind { Load, Stop, Hold, Volume };

    static FlashCommand Load(std::uint64_t id, std::string path);
    static FlashCommand Stop();
    static FlashCommand Hold(bool held);
    static FlashCommand Volume(int volume);

    Kind kind = Kind::Stop;
    std::uint64_t id = 0;
    std::string path;
    bool held = false;
    int volume = 0;
};

struct FlashReport {
    enum class Kind { Loaded, PassEnded, Failed, Unavailable };

    static FlashReport Loaded(std::uint64_t id, const FlashTiming& timing);
    static FlashReport PassEnded(std::uint64_t id);
    static FlashReport Failed(std::uint64_t id, std::string reason);
    static FlashReport Unavailable(std::string reason);

    Kind kind = Kind::Failed;
    std::uint64_t id = 0;
    FlashTiming timing;
    std::string reason;
};

std::string FormatFlashCommand(const FlashCommand& command);
std::optional<FlashCommand> ParseFlashCommand(std::string_view line);
std::string FormatFlashReport(const FlashReport& report);
std::optional<FlashReport> ParseFlashReport(std::string_view line);

}  // namespace revuro
