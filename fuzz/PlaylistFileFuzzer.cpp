// The playlist reader on any bytes in any supported character set: it must never crash, every
// row it returns must be text it can show and write back, and a read-write-read cycle must give
// the same rows, with each line the user's file held either dropped as too short or written
// back as the very same bytes.
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
    fuzz::Check(read.ok(), "a written file reads");
    const std::vector<std::string>& rows = read.value().rows;
    const std::vector<std::string>& rawLines = read.value().rawLines;
    fuzz::Check(rows.size() <= kMaxPlaylistRows, "row limit");
    fuzz::Check(rawLines.size() == rows.size(), "one raw slot for each row");
    std::size_t rawRows = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        fuzz::Check(IsValidUtf8(rows[i]), "rows are UTF-8");
        fuzz::Check(CountCodePoints(rows[i]) >= 3, "short rows are skipped");
        fuzz::Check(rows[i].find('\r') == std::string::npos, "rows hold no CR");
        fuzz::Check(rawLines[i].find('\r') == std::string::npos, "raw lines hold no CR");
        if (rawLines[i].empty()) continue;
        ++rawRows;
        fuzz::Check(!codec.Decode(rawLines[i]).ok(), "only undecodable lines are kept raw");
    }
    const std::vector<std::size_t>& named = read.value().undecodableLines;
    fuzz::Check(named.size() == rawRows, "every raw row is named once");
    for (std::size_t i = 1; i < named.size(); ++i)
        fuzz::Check(named[i - 1] < named[i], "named lines in file order");

    // Every line that decodes must encode back to the very bytes it came from, or rewriting
    // the list would silently point at another file.
    const std::vector<std::string> lines = PlaylistFile::SplitLines(bytes);
    for (const std::string& line : lines) {
        const Result<std::string> text = codec.Decode(line);
        if (!text) continue;
        const Result<std::string> back = codec.Encode(text.value());
        fuzz::Check(back.ok() && back.value() == line, codec.codeset() + " line round trip");
    }

    const Outcome written = playlist.Write(again, rows, rawLines);
    fuzz::Check(written.ok(), "rows that were read can be written: " +
                                  (written ? std::string() : written.error().Describe()));
    // What was written is the user's lines, some left out, none changed, in their order.
    std::size_t next = 0;
    for (const std::string& line : PlaylistFile::SplitLines(ReadWholeFile(again).value())) {
        while (next < lines.size() && lines[next] != line) ++next;
        fuzz::Check(next < lines.size(), "written lines are the file's own bytes, in order");
        ++next;
    }
    const Result<PlaylistRows> reread = playlist.Read(again);
    fuzz::Check(reread.ok() && reread.value().rows == rows && reread.value().rawLines == rawLines,
                "read-write-read keeps the rows and their bytes");
    return 0;
}
