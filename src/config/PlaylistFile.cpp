#include "config/PlaylistFile.h"

#include "platform/Files.h"
#include "platform/Utf8.h"

namespace revuro {

namespace {
constexpr std::size_t kShortestRow = 3;  // characters
}

Outcome PlaylistFile::Write(const std::string& path, const std::vector<std::string>& rows) const {
    std::string bytes;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // A CR would end the line early: the row would come back as two rows naming nothing.
        if (rows[i].find('\r') != std::string::npos) {
            return Error{"row " + std::to_string(i + 1) + " contains a line break", path};
        }
        Result<std::string> narrow = codec_.Encode(rows[i]);
        if (!narrow) {
            return Error{
                narrow.error().kind,
                "row " + std::to_string(i + 1) + " \"" + rows[i] + "\": " + narrow.error().reason,
                path, i + 1};
        }
        bytes += narrow.value();
        if (i + 1 < rows.size()) bytes += "\r\n";
    }
    return WriteFileAtomically(path, bytes);
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
        Result<std::string> text = codec_.Decode(lines[i]);
        if (!text) {
            if (undecodable == UndecodableLines::Fail)
                return Error{text.error().kind, text.error().reason, path, i + 1};
            ++result.linesSkipped;
            continue;
        }
        if (CountCodePoints(text.value()) < kShortestRow) continue;
        if (result.rows.size() == kMaxPlaylistRows) {
            ++result.rowsLeftOut;
            continue;
        }
        result.rows.push_back(std::move(text).value());
    }
    return result;
}

void PlaylistFile::Remove(const std::string& path) { (void)RemoveFile(path); }

}  // namespace revuro
