#include "core/store/PlaylistFile.h"

#include "core/Utf8.h"
#include "platform/Files.h"

namespace revuro {

namespace {
constexpr std::size_t kShortestRow = 3;  // characters
}

Result<std::string> PlaylistFile::Encode(const std::vector<std::string>& rows,
                                         const std::vector<std::string>& rawLines) const {
    if (!rawLines.empty() && rawLines.size() != rows.size()) {
        return Error{"the rows and their file bytes do not match"};
    }
    std::size_t size = 2 * rows.size();
    for (const std::string& row : rows) size += row.size();
    std::string bytes;
    bytes.reserve(size);  // near enough: most rows are as long in the file as in the list
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t line = i + 1;
        const bool raw = !rawLines.empty() && !rawLines[i].empty();
        const std::string& row = raw ? rawLines[i] : rows[i];
        // A CR would end the line early: the row would come back as two rows naming nothing.
        if (row.find('\r') != std::string::npos) {
            return Error{"row " + std::to_string(line) + " contains a line break", {}, line};
        }
        if (raw) {
            bytes += row;
        } else {
            Result<std::string> narrow = codec_.Encode(row);
            if (!narrow) {
                return Error{
                    narrow.error().kind,
                    "row " + std::to_string(line) + " \"" + row + "\": " + narrow.error().reason,
                    {},
                    line};
            }
            bytes += narrow.value();
        }
        if (i + 1 < rows.size()) bytes += "\r\n";
    }
    return bytes;
}

Outcome PlaylistFile::Write(const std::string& path, const std::vector<std::string>& rows,
                            const std::vector<std::string>& rawLines) const {
    Result<std::string> bytes = Encode(rows, rawLines);
    if (!bytes) {
        Error error = bytes.error();
        error.path = path;
        return error;
    }
    return WriteFileAtomically(path, bytes.value());
}

std::vector<std::string> PlaylistFile::SplitLines(const std::string& bytes) {
    // Safe on the raw bytes: CR is never part of a multibyte character in the supported sets.
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t cr = bytes.find('\r', start);
        if (cr == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

Result<PlaylistRows> PlaylistFile::Read(const std::string& path,
                                        UndecodableLines undecodable) const {
    Result<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return bytes.error();

    PlaylistRows result;
    const std::vector<std::string> lines = SplitLines(bytes.value());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Result<std::string> decoded = codec_.Decode(lines[i]);
        std::string raw;
        if (!decoded) {
            if (undecodable == UndecodableLines::Skip) {
                ++result.linesSkipped;
                continue;
            }
            raw = lines[i];
        }
        std::string text = decoded ? std::move(decoded).value() : codec_.DecodeReplacing(raw);
        if (CountCodePoints(text) < kShortestRow) continue;
        if (result.rows.size() == kMaxPlaylistRows) {
            ++result.rowsLeftOut;
            continue;
        }
        if (!raw.empty()) result.undecodableLines.push_back(i + 1);
        result.rows.push_back(std::move(text));
        result.rawLines.push_back(std::move(raw));
    }
    return result;
}

void PlaylistFile::Remove(const std::string& path) { (void)RemoveFile(path); }

}  // namespace revuro
