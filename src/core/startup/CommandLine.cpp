#include "core/startup/CommandLine.h"

#include <limits>
#include <string_view>

namespace revuro {

namespace {

std::string TrimSpaces(std::string text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

constexpr const char* kWindowIdForm = "0x followed by hex digits, or decimal digits";

// The arguments joined by spaces and trimmed, in their own letter case.
std::string JoinedText(const std::vector<std::string>& args) {
    std::string text;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) text += ' ';
        text += args[i];
    }
    return TrimSpaces(std::move(text));
}

}  // namespace

std::string CommandText(const std::vector<std::string>& args) {
    return UpperAscii(JoinedText(args));
}

StartupDecision DecideStartup(const std::vector<std::string>& args) {
    const std::string joined = JoinedText(args);
    const std::string text = UpperAscii(joined);
    // Decided first: its first two characters would run the saver.
    const std::string setup = UpperAscii(kXScreenSaverSetupOption);
    if (text.starts_with(setup) && (text.size() == setup.size() || text[setup.size()] == ' ')) {
        return {RunMode::XScreenSaverSetup, std::nullopt, TrimSpaces(joined.substr(setup.size()))};
    }
    const std::string_view switchText = std::string_view(text).substr(0, 2);
    if (switchText == "/C") return {RunMode::Configure, std::nullopt, {}};
    if (switchText == "/P") return {RunMode::Preview, GetTrailingNumber(text), {}};
    return {RunMode::Saver, std::nullopt, {}};
}

std::optional<std::int32_t> GetTrailingNumber(std::string text) {
    const std::string trimmed = TrimSpaces(std::move(text));
    std::size_t start = trimmed.size();
    while (start > 0 && IsDigit(trimmed[start - 1])) --start;
    if (start == trimmed.size()) return std::nullopt;

    std::int64_t value = 0;
    for (std::size_t i = start; i < trimmed.size(); ++i) {
        value = value * 10 + (trimmed[i] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::uint32_t> ParseWindowId(std::string_view text) {
    const std::string trimmed = TrimSpaces(std::string(text));
    std::string_view digits = trimmed;
    int base = 10;
    if (digits.size() > 1 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    if (digits.empty()) return std::nullopt;

    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = base == 16 ? HexDigitValue(c) : (IsDigit(c) ? c - '0' : -1);
        if (digit < 0) return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    }
    if (value == 0) return std::nullopt;  // None: no window at all
    return static_cast<std::uint32_t>(value);
}

Result<std::optional<std::uint32_t>> SaverHostWindow(const std::vector<std::string>& args,
                                                     const char* xscreensaverWindow) {
    // The settings program appends its option to the user's command, so the last one counts.
    for (std::size_t i = args.size(); i-- > 0;) {
        const std::string option = UpperAscii(args[i]);
        if (option != "-WINDOW-ID" && option != "--WINDOW-ID") continue;
        if (i + 1 == args.size())
            return Error{args[i] + " needs a window id (" + kWindowIdForm + ")"};
        const std::optional<std::uint32_t> id = ParseWindowId(args[i + 1]);
        if (!id) {
            return Error{args[i] + ": \"" + args[i + 1] + "\" is not a window id (" +
                         kWindowIdForm + ")"};
        }
        return std::optional<std::uint32_t>(id);
    }
    if (xscreensaverWindow == nullptr || *xscreensaverWindow == '\0') {
        return std::optional<std::uint32_t>();
    }
    const std::optional<std::uint32_t> id = ParseWindowId(xscreensaverWindow);
    if (!id) {
        return Error{std::string(kXScreenSaverWindowVariable) + ": \"" + xscreensaverWindow +
                     "\" is not a window id (" + kWindowIdForm + ")"};
    }
    return std::optional<std::uint32_t>(id);
}

}  // namespace revuro
