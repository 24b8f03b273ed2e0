// The playlist reader on any bytes in any supported character set: it must never crash, every
// row it returns must be text it can write back, and a read-write-read cycle must give the
// same rows and, line by line, the same bytes the user's file held.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/Utf8.h"
#include "core/store/PlaylistFile.h"
#include "platform/Files.h"

using namespace revuro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    const std::string path = folder.File(kSaverPlaylistName);
    const std::string again = folder.File(kTrialPlaylistName);

    fuzz::InputReader input(data, size);
    const NarrowCodec& codec = fuzz::PickCodec(input.Byte());
    const std::string bytes = input.Rest();
    fuzz::Check(WriteFileAtomically(path, bytes).ok(), "writing the input");

    const PlaylistFile playlist(codec);
    const Result<PlaylistRows> read = playlist.Read(path);
    if (!read) {
        fuzz::Check(read.error().line >= 1, "a failed read names its line");
        return 0;
    }
    const std::vector<std::string>& rows = read.value().rows;
    fuzz::Check(rows.size() <= kMaxPlaylistRows, "row limit");
    for (const std::string& row : rows) {
        fuzz::Check(IsValidUtf8(row), "rows are UTF-8");
        fuzz::Check(CountCodePoints(row) >= 3, "short rows are skipped");
        fuzz::Check(row.find('\r') == std::string::npos, "rows hold no CR");
    }

    // Every line that decodes must encode back to the very bytes it came from, or rewriting
    // the list would silently point at another file.
    for (const std::string& line : PlaylistFile::SplitLines(bytes)) {
        const Result<std::string> text = codec.Decode(line);
        fuzz::Check(text.ok(), "a line of a readable file decodes");
        const Result<std::string> back = codec.Encode(text.value());
        fuzz::Check(back.ok() && back.value() == line, codec.codeset() + " line round trip");
    }

    const Outcome written = playlist.Write(again, rows);
    fuzz::Check(written.ok(), "rows that were read can be written: " +
                                  (written ? std::string() : written.error().Describe()));
    const Result<PlaylistRows> reread = playlist.Read(again);
    fuzz::Check(reread.ok() && reread.value().rows == rows, "read-write-read keeps the rows");
    return 0;
}
