#include "startup/CommandLine.h"

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

}  // namespace

std::string CommandText(const std::vector<std::string>& args) {
    std::string text;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) text += ' ';
        text += args[i];
    }
    text = TrimSpaces(std::move(text));
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

StartupDecision DecideStartup(const std::vector<std::string>& args) {
    const std::string text = CommandText(args);
    const std::string_view switchText = std::string_view(text).substr(0, 2);
    if (switchText == "/C") return {RunMode::Configure, std::nullopt};
    if (switchText == "/P") return {RunMode::Preview, GetTrailingNumber(text)};
    return {RunMode::Saver, std::nullopt};
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

}  // namespace revuro
