#include "core/startup/XScreenSaverPrograms.h"

#include <vector>

namespace revuro {

namespace {

constexpr std::string_view kSpaces = " \t";
constexpr const char* kProgramName = "revuro";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kSpaces);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

// The file's lines without their LF; the last one is whatever follows the last LF.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string_view::npos;
         start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

// A line that ends in an odd number of backslashes goes on in the next one.
bool Continues(std::string_view line) {
    std::size_t backslashes = 0;
    while (backslashes < line.size() && line[line.size() - 1 - backslashes] == '\\') ++backslashes;
    return backslashes % 2 == 1;
}

bool IsProgramsKey(std::string_view key) {
    return key == "programs" || key == "*programs" || key == "xscreensaver.programs" ||
           key == "xscreensaver*programs";
}

// Whether one entry's text runs a program named revuro: its command's first word, after the
// disabled mark, the visual and the name.
bool RunsRevuro(std::string_view entry) {
    entry = Trim(entry);
    if (entry.starts_with('-')) entry = Trim(entry.substr(1));
    if (const std::size_t colon = entry.find(':'); colon != std::string_view::npos) {
        const std::string_view visual = entry.substr(0, colon);
        if (!visual.empty() && visual.find_first_of(" \t\"'/") == std::string_view::npos)
            entry = Trim(entry.substr(colon + 1));
    }
    if (entry.starts_with('"')) {
        const std::size_t end = entry.find('"', 1);
        entry = end == std::string_view::npos ? std::string_view() : Trim(entry.substr(end + 1));
    }
    std::string_view program;
    if (entry.starts_with('\'')) {
        const std::size_t end = entry.find('\'', 1);
        program = entry.substr(1, end == std::string_view::npos ? end : end - 1);
    } else {
        program = entry.substr(0, entry.find_first_of(kSpaces));
    }
    const std::size_t slash = program.rfind('/');
    return (slash == std::string_view::npos ? program : program.substr(slash + 1)) == kProgramName;
}

// The entries on one line of the setting: the text between "\n" escapes, without the
// backslash that carries the setting on.
bool LineRunsRevuro(std::string_view line) {
    if (Continues(line)) line.remove_suffix(1);
    std::size_t start = 0;
    for (std::size_t end; (end = line.find("\\n", start)) != std::string_view::npos;
         start = end + 2) {
        if (RunsRevuro(line.substr(start, end - start))) return true;
    }
    return RunsRevuro(line.substr(start));
}

bool IsPlainCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("/._+,:@%=-").find(c) != std::string_view::npos;
}

}  // namespace

Result<std::string> XScreenSaverPrograms::CommandFor(std::string_view programPath) {
    bool plain = !programPath.empty();
    for (char c : programPath) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') {
            return Error{
                "the path holds a character that xscreensaver's settings file cannot carry "
                "(a control character or a backslash)",
                std::string(programPath)};
        }
        plain = plain && IsPlainCharacter(c);
    }
    if (plain) return std::string(programPath);
    std::string quoted = "'";
    for (char c : programPath) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string XScreenSaverPrograms::EntryLine(std::string_view command) {
    return "  \"Revuro\"  " + std::string(command) + "  \\n\\";
}

Result<XScreenSaverPrograms::Addition> XScreenSaverPrograms::AddRevuro(std::string_view fileText,
                                                                       std::string_view command) {
    const std::vector<std::string_view> lines = Lines(fileText);
    std::size_t keyLine = lines.size();  // 0-based index of the setting's first line
    bool continued = false;
    for (std::size_t i = 0; i < lines.size() && keyLine == lines.size(); ++i) {
        const bool startsSetting = !continued;
        continued = Continues(lines[i]);
        if (!startsSetting) continue;
        const std::string_view text = Trim(lines[i]);
        if (text.starts_with('!') || text.starts_with('#')) continue;
        const std::size_t colon = text.find(':');
        if (colon != std::string_view::npos && IsProgramsKey(Trim(text.substr(0, colon))))
            keyLine = i;
    }
    if (keyLine == lines.size()) return Error{"the file holds no programs: setting"};

    // The setting's own line holds entries too, after the colon.
    const std::string_view first = lines[keyLine];
    if (LineRunsRevuro(first.substr(first.find(':') + 1))) {
        return Addition{false, std::string(fileText), keyLine + 1};
    }
    for (std::size_t i = keyLine; Continues(lines[i]) && i + 1 < lines.size(); ++i) {
        if (LineRunsRevuro(lines[i + 1])) return Addition{false, std::string(fileText), i + 2};
    }
    if (!Continues(first)) {
        return Error{"its programs: setting is on one line, which a line of its own cannot join"};
    }

    const std::size_t insertAt =
        static_cast<std::size_t>(first.data() - fileText.data()) + first.size() + 1;
    std::string text(fileText.substr(0, insertAt));
    if (insertAt > fileText.size()) text += '\n';  // the setting's line ended the file
    text += EntryLine(command) + "\n";
    if (insertAt < fileText.size()) text += fileText.substr(insertAt);
    return Addition{true, std::move(text), keyLine + 2};
}

}  // namespace revuro
