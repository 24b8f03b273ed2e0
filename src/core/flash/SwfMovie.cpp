#include "core/flash/SwfMovie.h"

#include <algorithm>

#include "core/flash/SwfExpand.h"

namespace revuro {

namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr int kTwipsPerPixel = 20;

// Tag codes of the main timeline that matter here.
constexpr int kEndTag = 0;
constexpr int kShowFrameTag = 1;
constexpr int kDoActionTag = 12;
constexpr int kFileAttributesTag = 69;
constexpr unsigned kActionScript3Flag = 0x08;  // in the first byte of FileAttributes
constexpr int kLongLength = 0x3f;              // a short tag header's length that means "long"
constexpr int kFirstVersionWithPush = 4;       // the signal's actions came with Flash 4

constexpr unsigned char kActionPush = 0x96;
constexpr unsigned char kActionGetUrl2 = 0x9a;
constexpr unsigned char kActionEnd = 0x00;
constexpr char kPushString = 0x00;
// GetURL2 flags: load variables (0x80), into a level rather than a sprite (no 0x40), send none.
constexpr unsigned char kLoadVariablesIntoLevel = 0x80;
constexpr const char* kMainLevel = "_level0";

unsigned Byte(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

unsigned Word(std::string_view bytes, std::size_t at) {
    return Byte(bytes, at) | (Byte(bytes, at + 1) << 8);
}

// Reads the bit-packed RECT at `at`: a 5-bit field width, then x min, x max, y min, y max.
class BitReader {
  public:
    BitReader(std::string_view bytes, std::size_t at) : bytes_(bytes), bit_(at * 8) {}
    bool Has(std::size_t bits) const { return bit_ + bits <= bytes_.size() * 8; }
    unsigned Unsigned(int bits) {
        unsigned value = 0;
        for (int i = 0; i < bits; ++i, ++bit_)
            value = (value << 1) | ((Byte(bytes_, bit_ / 8) >> (7 - bit_ % 8)) & 1u);
        return value;
    }
    int Signed(int bits) {
        if (bits == 0) return 0;
        const unsigned value = Unsigned(bits);
        const unsigned sign = 1u << (bits - 1);
        return static_cast<int>(value ^ sign) - static_cast<int>(sign);
    }
    std::size_t NextByte() const { return (bit_ + 7) / 8; }

  private:
    std::string_view bytes_;
    std::size_t bit_;
};

void AppendWord(std::string& out, std::size_t value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}

// A DoAction tag that runs loadVariablesNum(url, 0): the player requests the URL, and the
// variables it gets (none) go to the main movie.
std::string LoadVariablesTag(std::string_view url) {
    std::string values;
    for (const std::string_view text : {url, std::string_view(kMainLevel)}) {
        values += kPushString;
        values += text;
        values += '\0';
    }
    std::string actions;
    actions += static_cast<char>(kActionPush);
    AppendWord(actions, values.size());
    actions += values;
    actions += static_cast<char>(kActionGetUrl2);
    AppendWord(actions, 1);
    actions += static_cast<char>(kLoadVariablesIntoLevel);
    actions += static_cast<char>(kActionEnd);
    std::string tag;
    if (actions.size() < kLongLength) {
        AppendWord(tag, (kDoActionTag << 6) | actions.size());
    } else {
        AppendWord(tag, (kDoActionTag << 6) | kLongLength);
        AppendWord(tag, actions.size() & 0xffff);
        AppendWord(tag, actions.size() >> 16);
    }
    return tag + actions;
}

}  // namespace

Result<SwfMovie> SwfMovie::Read(std::string_view file) {
    auto expanded = ExpandSwf(file, kMaxExpandedBytes);
    if (!expanded) return expanded.error();
    SwfMovie movie;
    movie.expanded_ = std::move(expanded).value().bytes;
    const bool cutAtLimit = movie.expanded_.size() >= kHeaderBytes + kMaxExpandedBytes;
    const std::string_view bytes = movie.expanded_;
    SwfHeader& header = movie.header_;
    header.compression = file[0] == 'C'   ? SwfCompression::Zlib
                         : file[0] == 'Z' ? SwfCompression::Lzma
                                          : SwfCompression::None;
    header.version = static_cast<int>(Byte(bytes, 3));

    const Error cut{"the file ends inside its header"};
    BitReader stage(bytes, kHeaderBytes);
    if (!stage.Has(5)) return cut;
    const int bits = static_cast<int>(stage.Unsigned(5));
    if (!stage.Has(4 * static_cast<std::size_t>(bits))) return cut;
    const int xMin = stage.Signed(bits), xMax = stage.Signed(bits);
    const int yMin = stage.Signed(bits), yMax = stage.Signed(bits);
    header.stageWidth = std::max(0, (xMax - xMin) / kTwipsPerPixel);
    header.stageHeight = std::max(0, (yMax - yMin) / kTwipsPerPixel);
    std::size_t at = stage.NextByte();
    if (at + 4 > bytes.size()) return cut;
    header.frameRate = Byte(bytes, at + 1) + Byte(bytes, at) / 256.0;  // 8.8 fixed point
    header.frameCount = static_cast<int>(Word(bytes, at + 2));
    at += 4;

    while (at + 2 <= bytes.size()) {
        const unsigned code = Word(bytes, at) >> 6;
        std::size_t length = Word(bytes, at) & kLongLength;
        std::size_t start = at + 2;
        if (length == kLongLength) {
            if (start + 4 > bytes.size()) break;
            length = Word(bytes, start) | (static_cast<std::size_t>(Word(bytes, start + 2)) << 16);
            start += 4;
        }
        if (length > bytes.size() - start) break;  // the tag is cut off
        if (code == kEndTag) {
            movie.complete_ = true;
            break;
        }
        if (code == kShowFrameTag && ++movie.shownFrames_ == header.frameCount)
            movie.lastFrameEnd_ = at;
        if (code == kFileAttributesTag && length > 0)
            header.actionScript3 = (Byte(bytes, start) & kActionScript3Flag) != 0;
        at = start + length;
    }
    // What ends before its first frame is shown, or is no tag stream at all, shows nothing.
    if (movie.shownFrames_ == 0 && !movie.complete_ && !cutAtLimit)
        return Error{"the movie holds no frame"};
    return movie;
}

double SwfMovie::PassSeconds() const {
    return header_.frameRate > 0 ? header_.frameCount / header_.frameRate : 0.0;
}

bool SwfMovie::CanSignalPasses() const {
    // A file with fewer ShowFrame tags than its header counts ends on frames that hold no tag
    // where an action could go.
    return complete_ && !header_.actionScript3 && header_.version >= kFirstVersionWithPush &&
           header_.frameCount >= 2 && shownFrames_ >= header_.frameCount;
}

std::string SwfMovie::WithPassSignal(std::string_view url) const {
    std::string out = expanded_.substr(0, lastFrameEnd_);
    out += LoadVariablesTag(url);
    out.append(expanded_, lastFrameEnd_);
    const std::size_t length = out.size();
    for (std::size_t i = 0; i < 4; ++i) out[4 + i] = static_cast<char>((length >> (8 * i)) & 0xff);
    return out;
}

}  // namespace revuro
