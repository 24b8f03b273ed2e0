#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Result.h"
#include "core/player/MediaFiles.h"
#include "core/player/PathRules.h"
#include "platform/NarrowCodec.h"

namespace revuro {

// One row of a list, as the player walks it.
struct ListEntry {
    std::string target;            // a local path or a URL, as the backend gets it
    std::string name;              // what a note calls the row
    std::optional<Error> problem;  // why the row names nothing that can be played
    bool list = false;             // names a further list, read when the walk reaches it
};

// Reads lists the way a media player reads them: comments are no files, relative rows count
// from the list's own folder, file:// URLs are local paths, and rows may name further lists
// (M3U, ASX, WPL). A row that names nothing usable becomes an entry with a problem, in its
// place, so that it costs one skip and no more.
class PlaylistReader {
  public:
    PlaylistReader(const MediaFiles& files, const NarrowCodec& codec,
                   PathRules paths = PathRules());

    const PathRules& paths() const { return paths_; }
    const MediaFiles& files() const { return files_; }

    // The program's own playlist (varariv.m3u, temp.m3u), by the rule the dialog reads it
    // with: lines end at CR or CR LF, lines shorter than three characters are skipped, text in
    // the locale's character set. Fails only when the file cannot be read.
    Result<std::vector<ListEntry>> ReadPlaylist(const std::string& path) const;
    // A list another program wrote: .m3u (lines end at LF too; the locale's character set),
    // .m3u8 (UTF-8), ASX (.asx .wax .wvx .wmx, read leniently) or WPL; any other name is read
    // as ASX or WPL by its content. Fails when it cannot be read, is no list or names nothing.
    Result<std::vector<ListEntry>> ReadMetafile(const std::string& path) const;

    // The entry that `reference`, written in a list in `folder`, stands for.
    ListEntry Entry(std::string_view reference, std::string_view folder) const;

  private:
    ListEntry Undecodable(const std::string& listPath, std::size_t number, const char* unit) const;
    std::vector<ListEntry> M3uEntries(std::string_view bytes, const std::string& path,
                                      bool utf8) const;
    Result<std::vector<ListEntry>> XmlEntries(const std::string& bytes,
                                              const std::string& path) const;

    const MediaFiles& files_;
    const NarrowCodec& codec_;
    PathRules paths_;
};

}  // namespace revuro
