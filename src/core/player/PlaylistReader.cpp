#include "core/player/PlaylistReader.h"

#include <algorithm>

#include "core/Utf8.h"
#include "core/player/ItemKind.h"
#include "core/player/XmlPlaylist.h"
#include "core/store/PlaylistFile.h"

namespace revuro {

namespace {

constexpr std::size_t kShortestRow = 3;  // characters, as the dialog reads the list
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr const char* kLine = "行";   // where an undecodable row stands: its line
constexpr const char* kEntry = "项";  // or its place among the entries

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool LooksLikeXml(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '<';
}

}  // namespace

PlaylistReader::PlaylistReader(const MediaFiles& files, const NarrowCodec& codec, PathRules paths)
    : files_(files), codec_(codec), paths_(paths) {}

ListEntry PlaylistReader::Entry(std::string_view reference, std::string_view folder) const {
    ListEntry entry;
    if (PathRules::IsFileUrl(reference)) {
        Result<std::string> local = paths_.PathOfFileUrl(reference);
        entry.target = local ? std::move(local).value() : std::string(reference);
        if (!local) entry.problem = local.error();
    } else if (PathRules::IsUrl(reference)) {
        // The backend reads what lies behind a URL, lists included.
        entry.target = std::string(reference);
    } else {
        entry.target = paths_.Resolve(folder, reference);
        entry.list = KindOfExtension(paths_.Extension(entry.target)) == ItemKind::List;
    }
    entry.name = paths_.FileName(entry.target);
    if (entry.name.empty()) entry.name = entry.target;
    // A NUL would end the text early: the checks, or the backend, would see another item.
    if (!entry.problem && entry.target.find('\0') != std::string::npos)
        entry.problem = Error{ErrorKind::InvalidPath, "holds a NUL"};
    if (entry.problem) {
        entry.list = false;
        std::replace(entry.name.begin(), entry.name.end(), '\0', '?');
    }
    return entry;
}

ListEntry PlaylistReader::Undecodable(const std::string& listPath, std::size_t number,
                                      const char* unit) const {
    ListEntry entry;
    entry.name = paths_.FileName(listPath) + " 第" + std::to_string(number) + unit;
    entry.problem = Error{ErrorKind::NotDecodable, "not text in " + codec_.codeset()};
    return entry;
}

Result<std::vector<ListEntry>> PlaylistReader::ReadPlaylist(const std::string& path) const {
    Result<std::string> bytes = files_.ReadList(path);
    if (!bytes) return bytes.error();
    const std::string folder = paths_.Folder(path);
    std::vector<ListEntry> entries;
    const std::vector<std::string> lines = PlaylistFile::SplitLines(bytes.value());
    for (std::size_t i = 0; i < lines.size() && entries.size() < kMaxPlaylistRows; ++i) {
        Result<std::string> text = codec_.Decode(lines[i]);
        if (!text) {
            // Fewer bytes than the shortest row has characters: skipped whatever they mean.
            if (lines[i].size() >= kShortestRow) entries.push_back(Undecodable(path, i + 1, kLine));
            continue;
        }
        if (CountCodePoints(text.value()) < kShortestRow || text.value().front() == '#') continue;
        entries.push_back(Entry(text.value(), folder));
    }
    return entries;
}

std::vector<ListEntry> PlaylistReader::M3uEntries(std::string_view bytes, const std::string& path,
                                                  bool utf8) const {
    if (bytes.starts_with(kUtf8Mark)) {
        bytes.remove_prefix(kUtf8Mark.size());
        utf8 = true;
    }
    const std::string folder = paths_.Folder(path);
    std::vector<ListEntry> entries;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = Trimmed(bytes.substr(start, end - start));
        ++lineNumber;
        start = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++start;
        if (line.empty() || line.front() == '#') continue;
        if (utf8) {
            if (IsValidUtf8(line)) {
                entries.push_back(Entry(line, folder));
            } else {
                entries.push_back(Undecodable(path, lineNumber, kLine));
            }
        } else if (Result<std::string> text = codec_.Decode(line); text) {
            entries.push_back(Entry(text.value(), folder));
        } else {
            entries.push_back(Undecodable(path, lineNumber, kLine));
        }
    }
    return entries;
}

Result<std::vector<ListEntry>> PlaylistReader::XmlEntries(const std::string& bytes,
                                                          const std::string& path) const {
    Result<std::vector<XmlPlaylist::Reference>> references = XmlPlaylist::References(bytes);
    if (!references) {
        Error error = references.error();
        error.path = path;
        return error;
    }
    const std::string folder = paths_.Folder(path);
    std::vector<ListEntry> entries;
    for (const XmlPlaylist::Reference& reference : references.value()) {
        const std::string_view text = Trimmed(reference.text);
        std::string decoded(text);
        // Lists without a declared encoding are often in the system's character set.
        if (!IsValidUtf8(text)) {
            Result<std::string> narrow = codec_.Decode(text);
            if (!narrow) {
                entries.push_back(Undecodable(path, entries.size() + 1, kEntry));
                continue;
            }
            decoded = std::move(narrow).value();
        }
        ListEntry entry = Entry(decoded, folder);
        // An ENTRYREF names a list whatever its name; behind a URL the backend reads it.
        if (reference.list && !PathRules::IsUrl(entry.target)) entry.list = true;
        entries.push_back(std::move(entry));
    }
    return entries;
}

Result<std::vector<ListEntry>> PlaylistReader::ReadMetafile(const std::string& path) const {
    Result<std::string> bytes = files_.ReadList(path);
    if (!bytes) return bytes.error();
    const std::string extension = paths_.Extension(path);
    Result<std::vector<ListEntry>> entries = std::vector<ListEntry>();
    if (extension == "m3u" || extension == "m3u8") {
        entries = M3uEntries(bytes.value(), path, extension == "m3u8");
    } else if (LooksLikeXml(bytes.value())) {
        entries = XmlEntries(bytes.value(), path);
    } else {
        return Error{ErrorKind::NotAPlaylist, "neither M3U nor XML", path};
    }
    if (entries && entries.value().empty())
        return Error{ErrorKind::PlaylistEmpty, "names nothing", path};
    return entries;
}

}  // namespace revuro
