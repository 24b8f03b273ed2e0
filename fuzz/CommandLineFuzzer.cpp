// The start-up decision and the trailing-number parser on any argument list. The checks state
// what the result must be in plain terms of the text, so a wrong number is caught, not only a
// crash.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/startup/CommandLine.h"

using namespace revuro;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What GetTrailingNumber must give for `text`, said without its arithmetic: the last digit run
// of the space-trimmed text, leading zeros aside, read as a decimal that fits in 31 bits.
void CheckTrailingNumber(const std::string& text, std::optional<std::int32_t> number) {
    std::size_t end = text.find_last_not_of(' ');
    end = end == std::string::npos ? 0 : end + 1;
    std::size_t start = end;
    while (start > 0 && IsDigit(text[start - 1])) --start;
    std::string digits = text.substr(start, end - start);
    if (digits.empty()) {
        fuzz::Check(!number.has_value(), "no trailing digits, no number");
        return;
    }
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    digits = firstSignificant == std::string::npos ? "0" : digits.substr(firstSignificant);
    const bool fits =
        digits.size() < 10 || (digits.size() == 10 && digits <= std::string("2147483647"));
    if (!fits) {
        fuzz::Check(!number.has_value(), "too large a number is none");
        return;
    }
    fuzz::Check(number.has_value(), "trailing digits give a number");
    fuzz::Check(std::to_string(*number) == digits, "the number is the trailing digits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(data, size);
    std::vector<std::string> args;
    while (!input.empty()) args.push_back(input.Field());

    const std::string text = CommandText(args);
    fuzz::Check(text.empty() || (text.front() != ' ' && text.back() != ' '), "text is trimmed");
    for (char c : text) fuzz::Check(!(c >= 'a' && c <= 'z'), "text is upper-cased");

    const StartupDecision decision = DecideStartup(args);
    const std::string switchText = text.substr(0, 2);
    const std::string setup = "--XSCREENSAVER-SETUP";
    if (text.starts_with(setup) && (text.size() == setup.size() || text[setup.size()] == ' ')) {
        fuzz::Check(decision.mode == RunMode::XScreenSaverSetup, "the setup option sets up");
        fuzz::Check(decision.unexpected.size() <= text.size() - setup.size(),
                    "what follows the option comes from the text");
    } else if (switchText == "/C") {
        fuzz::Check(decision.mode == RunMode::Configure, "/C configures");
    } else if (switchText == "/P") {
        fuzz::Check(decision.mode == RunMode::Preview, "/P previews");
        CheckTrailingNumber(text, decision.previewParent);
    } else {
        fuzz::Check(decision.mode == RunMode::Saver, "anything else runs the saver");
    }
    if (decision.mode != RunMode::XScreenSaverSetup) {
        fuzz::Check(decision.unexpected.empty(), "only the setup has something unexpected");
    }
    if (decision.mode != RunMode::Preview) {
        fuzz::Check(!decision.previewParent.has_value(), "only the preview has a host");
    }

    // The parser on its own, on the raw first argument with its case and spaces.
    if (!args.empty()) CheckTrailingNumber(args.front(), GetTrailingNumber(args.front()));
    return 0;
}
