#include "core/flash/SwfExpand.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace revuro {

namespace {

constexpr std::size_t kHeaderBytes = 8;  // signature, version, length
// After the header an LZMA movie has the stream's length (4 bytes) and its properties (5).
constexpr std::size_t kLzmaLengthBytes = 4;
constexpr std::size_t kLzmaPropertyBytes = 5;
constexpr std::size_t kBlock = 64 * 1024;

std::uint32_t ReadLength(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

void WriteLength(std::string& bytes, std::size_t at, std::size_t length) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((length >> (8 * i)) & 0xff);
}

// Grows `out` a block at a time, never beyond `limit` bytes of body.
std::size_t NextBlock(const std::string& out, std::size_t limit) {
    return std::min(kBlock, kHeaderBytes + limit - out.size());
}

bool InflateInto(std::string_view stream, std::size_t limit, std::string& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
    z.avail_in =
        static_cast<uInt>(std::min<std::size_t>(stream.size(), std::numeric_limits<uInt>::max()));
    bool ended = false;
    while (!ended) {
        const std::size_t room = NextBlock(out, limit);
        if (room == 0) break;
        const std::size_t before = out.size();
        out.resize(before + room);
        z.next_out = reinterpret_cast<Bytef*>(out.data() + before);
        z.avail_out = static_cast<uInt>(room);
        const int status = inflate(&z, Z_NO_FLUSH);
        out.resize(out.size() - z.avail_out);
        if (status == Z_STREAM_END)
            ended = true;
        else if (status != Z_OK)
            break;  // damaged, or the file ends inside the stream
    }
    inflateEnd(&z);
    return ended;
}

class LzmaStream {
  public:
    ~LzmaStream() { lzma_end(&stream_); }
    lzma_stream* get() { return &stream_; }

  private:
    lzma_stream stream_ = LZMA_STREAM_INIT;
};

// The movie's LZMA stream has no header of its own: it is given the one an .lzma file has, the
// properties and the expected size, which ends it at that size, marker or not.
bool DecodeLzmaInto(std::string_view properties, std::string_view stream, std::uint64_t expected,
                    std::size_t limit, std::string& out) {
    std::array<std::uint8_t, kLzmaPropertyBytes + 8> header{};
    std::copy(properties.begin(), properties.end(), header.begin());
    for (std::size_t i = 0; i < 8; ++i)
        header[kLzmaPropertyBytes + i] = static_cast<std::uint8_t>((expected >> (8 * i)) & 0xff);
    LzmaStream lzma;
    lzma_stream* z = lzma.get();
    if (lzma_alone_decoder(z, std::numeric_limits<std::uint64_t>::max()) != LZMA_OK) return false;
    z->next_in = header.data();
    z->avail_in = header.size();
    bool headerDone = false;
    for (;;) {
        if (z->avail_in == 0 && !headerDone) {
            z->next_in = reinterpret_cast<const std::uint8_t*>(stream.data());
            z->avail_in = stream.size();
            headerDone = true;
        }
        const std::size_t room = NextBlock(out, limit);
        if (room == 0) return false;
        const std::size_t before = out.size();
        out.resize(before + room);
        z->next_out = reinterpret_cast<std::uint8_t*>(out.data() + before);
        z->avail_out = room;
        const lzma_ret status = lzma_code(z, headerDone ? LZMA_FINISH : LZMA_RUN);
        out.resize(out.size() - z->avail_out);
        if (status == LZMA_STREAM_END) return true;
        if (status != LZMA_OK) return false;  // damaged, or the file ends inside the stream
    }
}

}  // namespace

Result<ExpandedSwf> ExpandSwf(std::string_view file, std::size_t limit) {
    if (file.empty()) return Error{"the file is empty"};
    const std::string_view signature = file.substr(0, 3);
    const bool plain = signature == "FWS", zlib = signature == "CWS", lzma = signature == "ZWS";
    if (!plain && !zlib && !lzma) return Error{"not a Flash movie"};
    const std::size_t start =
        lzma ? kHeaderBytes + kLzmaLengthBytes + kLzmaPropertyBytes : kHeaderBytes;
    if (file.size() < start) return Error{"the file ends inside its header"};

    ExpandedSwf expanded;
    std::string& out = expanded.bytes;
    out.assign(file.substr(0, kHeaderBytes));
    out[0] = 'F';
    const std::uint32_t declared = ReadLength(file, 4);
    const std::string_view body = file.substr(start);
    if (plain) {
        // Bytes past the declared length are not the movie's.
        const std::size_t length = declared >= kHeaderBytes
                                       ? std::min<std::size_t>(body.size(), declared - kHeaderBytes)
                                       : body.size();
        out.append(body.substr(0, std::min(length, limit)));
        expanded.whole = length <= limit && declared == kHeaderBytes + length;
    } else if (zlib) {
        expanded.whole = InflateInto(body, limit, out);
    } else {
        const std::uint64_t expected = declared >= kHeaderBytes ? declared - kHeaderBytes : 0;
        expanded.whole =
            DecodeLzmaInto(file.substr(kHeaderBytes + kLzmaLengthBytes, kLzmaPropertyBytes), body,
                           expected, limit, out);
    }
    WriteLength(out, 4, out.size());
    return expanded;
}

}  // namespace revuro
