#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/Result.h"
#include "platform/NarrowCodec.h"

namespace revuro {

inline constexpr const char* kSaverPlaylistName = "varariv.m3u";
inline constexpr const char* kTrialPlaylistName = "temp.m3u";

// Row counts are 16-bit signed in the file's tradition: no list ever holds more.
inline constexpr std::size_t kMaxPlaylistRows = 32767;

struct PlaylistRows {
    std::vector<std::string> rows;  // UTF-8, exactly as the lines stood
    std::size_t rowsLeftOut = 0;    // usable lines past kMaxPlaylistRows
    std::size_t linesSkipped = 0;   // undecodable lines left out by UndecodableLines::Skip
};

// What reading does with a line the character set cannot decode.
enum class UndecodableLines {
    Fail,  // the whole read fails, naming the line: for a reader that shows the list to edit
    Skip,  // the line is left out and counted: for a reader that only plays the list
};

// The plain-text playlist: one path per line, CR LF between lines, in the system's narrow
// character set, no header and no comments.
class PlaylistFile {
  public:
    explicit PlaylistFile(const NarrowCodec& codec) : codec_(codec) {}

    // Replaces the file by the rows joined with CR LF. A row the character set cannot hold, or
    // one holding a CR, fails the whole write (naming the row) and leaves the old file untouched.
    Outcome Write(const std::string& path, const std::vector<std::string>& rows) const;

    // A line ends at CR or CR LF; a lone LF stays inside the line. Lines shorter than three
    // characters are skipped. An undecodable line fails the read (naming the line) or is
    // skipped, as `undecodable` says.
    Result<PlaylistRows> Read(const std::string& path,
                              UndecodableLines undecodable = UndecodableLines::Fail) const;

    // Removes the file, ignoring every failure.
    static void Remove(const std::string& path);

    // Splits file bytes into lines by the reading rule above, terminators dropped.
    static std::vector<std::string> SplitLines(const std::string& bytes);

  private:
    const NarrowCodec& codec_;
};

}  // namespace revuro
