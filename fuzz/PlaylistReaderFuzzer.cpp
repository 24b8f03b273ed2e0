// The list reader on any bytes as any kind of list, in any supported character set: it must
// never crash or hang, and every entry must be UTF-8 text naming either a target it may hand
// on or the reason it cannot.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/Utf8.h"
#include "core/player/PlaylistReader.h"
#include "core/player/XmlPlaylist.h"

using namespace revuro;

namespace {

// One list in memory: the reader needs no disk.
class OneListFile : public MediaFiles {
  public:
    OneListFile(std::string path, std::string bytes)
        : path_(std::move(path)), bytes_(std::move(bytes)) {}
    std::string Problem(const std::string& path) const override {
        return path == path_ ? std::string() : "文件不存在";
    }
    Result<std::string> ReadList(const std::string& path) const override {
        if (path != path_) return Error{"文件不存在", path};
        return bytes_;
    }

  private:
    std::string path_;
    std::string bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> kLists = {
        "/l/varariv.m3u", "/l/a.m3u",           "/l/a.m3u8",    "/l/a.asx",
        "/l/a.wpl",       "C:\\l\\varariv.m3u", "C:\\l\\a.asx", "\\\\nas\\l\\a.m3u8"};
    fuzz::InputReader input(data, size);
    const NarrowCodec& codec = fuzz::PickCodec(input.Byte());
    const std::string& path = kLists[input.Byte() % kLists.size()];
    const std::string bytes = input.Rest();

    const OneListFile files(path, bytes);
    const PlaylistReader reader(files, codec, PathRules(path.front() == '/' ? '/' : '\\'));
    const Result<std::vector<ListEntry>> read =
        path.ends_with("varariv.m3u") ? reader.ReadPlaylist(path) : reader.ReadMetafile(path);
    if (!read) {
        fuzz::Check(!read.error().reason.empty() && IsValidUtf8(read.error().reason),
                    "a failed read says why");
        return 0;
    }
    for (const ListEntry& entry : read.value()) {
        fuzz::Check(IsValidUtf8(entry.name) && !entry.name.empty(), "an entry has a name");
        if (!entry.problem.empty()) continue;
        fuzz::Check(IsValidUtf8(entry.target), "targets are UTF-8");
        fuzz::Check(entry.target.find('\0') == std::string::npos, "no target holds a NUL");
        (void)ElideCodePoints(entry.name, 24);
    }
    // Tidying is idempotent: a second pass finds nothing left to mend.
    const std::string tidy = XmlPlaylist::Tidy(bytes);
    fuzz::Check(XmlPlaylist::Tidy(tidy) == tidy, "tidying twice changes nothing more");
    return 0;
}
