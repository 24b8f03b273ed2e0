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
    // One for each row: empty when the row's text is its line, else the line's own bytes,
    // which the character set cannot decode; the row shows them as U+FFFD.
    std::vector<std::string> rawLines;
    std::vector<std::size_t> undecodableLines;  // file line numbers (1-based) of such rows
    std::size_t rowsLeftOut = 0;                // usable lines past kMaxPlaylistRows
    std::size_t linesSkipped = 0;  // undecodable lines left out by UndecodableLines::Skip
};

// What reading does with a line the character set cannot decode.
enum class UndecodableLines {
    Keep,  // the row keeps the line's bytes for writing back: for a reader that edits the list
    Skip,  // the line is left out and counted: for a reader that only plays the list
};

// The plain-text playlist: one path per line, CR LF between lines, in the system's narrow
// character set, no header and no comments.
class PlaylistFile {
  public:
    explicit PlaylistFile(const NarrowCodec& codec) : codec_(codec) {}

    const std::string& codeset() const { return codec_.codeset(); }

    // The file's bytes for the rows, joined with CR LF; a row with raw bytes (see
    // PlaylistRows::rawLines, empty or one for each row) is those bytes. A row the character set
    // cannot hold, or one holding a CR, fails, naming the row as the error's line.
    Result<std::string> Encode(const std::vector<std::string>& rows,
                               const std::vector<std::string>& rawLines = {}) const;
    // Replaces the file by the encoded rows. A failure leaves the old file untouched.
    Outcome Write(const std::string& path, const std::vector<std::string>& rows,
                  const std::vector<std::string>& rawLines = {}) const;

    // A line ends at CR or CR LF; a lone LF stays inside the line. Lines shorter than three
    // characters are skipped. An undecodable line is kept with its bytes or skipped, as
    // `undecodable` says.
    Result<PlaylistRows> Read(const std::string& path,
                              UndecodableLines undecodable = UndecodableLines::Keep) const;

    // Removes the file, ignoring every failure.
    static void Remove(const std::string& path);

    // Splits file bytes into lines by the reading rule above, terminators dropped.
    static std::vector<std::string> SplitLines(const std::string& bytes);

  private:
    const NarrowCodec& codec_;
};

}  // namespace revuro
