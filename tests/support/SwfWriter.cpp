#include "support/SwfWriter.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace revuro::testing {

namespace {

constexpr int kTwips = 20;
constexpr int kShapeId = 1;
constexpr int kSquareDepth = 1;

class BitWriter {
  public:
    void Put(std::uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            if (used_ == 0) bytes_ += '\0';
            if ((value >> i) & 1u)
                bytes_.back() = static_cast<char>(bytes_.back() | (0x80 >> used_));
            used_ = (used_ + 1) % 8;
        }
    }
    void PutSigned(int value, int bits) { Put(static_cast<std::uint32_t>(value), bits); }
    std::string Take() {
        used_ = 0;
        return std::move(bytes_);
    }

  private:
    std::string bytes_;
    int used_ = 0;
};

// Bits for a signed field holding every value.
int SignedBits(std::initializer_list<int> values) {
    int bits = 1;
    for (const int v : values)
        while ((v >= 0 ? v : ~v) >= (1 << (bits - 1))) ++bits;
    return bits;
}

std::string Rect(int xMin, int xMax, int yMin, int yMax) {
    const int bits = SignedBits({xMin, xMax, yMin, yMax});
    BitWriter w;
    w.Put(static_cast<std::uint32_t>(bits), 5);
    for (const int v : {xMin, xMax, yMin, yMax}) w.PutSigned(v, bits);
    return w.Take();
}

std::string Word(std::size_t v) {
    return {static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff)};
}

std::string Rgb(std::uint32_t colour) {
    return {static_cast<char>(colour >> 16), static_cast<char>(colour >> 8),
            static_cast<char>(colour)};
}

std::string Tag(int code, const std::string& body) {
    if (body.size() < 0x3f) return Word((code << 6) | body.size()) + body;
    return Word((code << 6) | 0x3f) + Word(body.size() & 0xffff) + Word(body.size() >> 16) + body;
}

// DefineShape: a solid square of `side` twips with its corner at (0, 0).
std::string SquareShape(int side, std::uint32_t colour) {
    std::string body = Word(kShapeId) + Rect(0, side, 0, side);
    body += '\x01';  // one fill style
    body += '\x00' + Rgb(colour);
    body += '\x00';  // no line styles
    BitWriter w;
    w.Put(1, 4);  // fill index bits
    w.Put(0, 4);  // line index bits
    // Style change: move to (0, 0), fill style 1 on the right of the edges.
    w.Put(0, 1);
    w.Put(0b00101, 5);
    const int moveBits = SignedBits({0});
    w.Put(moveBits, 5);
    w.PutSigned(0, moveBits);
    w.PutSigned(0, moveBits);
    w.Put(1, 1);
    const int bits = SignedBits({side, -side});
    const std::initializer_list<std::pair<int, int>> edges = {
        {side, 0}, {0, side}, {-side, 0}, {0, -side}};
    for (const auto& [dx, dy] : edges) {
        w.Put(0b11, 2);  // edge, straight
        w.Put(bits - 2, 4);
        w.Put(0, 1);                // not a general line
        w.Put(dx == 0 ? 1 : 0, 1);  // vertical
        w.PutSigned(dx == 0 ? dy : dx, bits);
    }
    w.Put(0, 6);  // end of shape
    return Tag(2, body + w.Take());
}

std::string PlaceSquare(bool first, int x, int y) {
    std::string body(1, static_cast<char>(first ? 0x06 : 0x05));  // matrix, then character or move
    body += Word(kSquareDepth);
    if (first) body += Word(kShapeId);
    BitWriter w;
    w.Put(0, 1);  // no scale
    w.Put(0, 1);  // no rotation
    const int bits = SignedBits({x, y});
    w.Put(bits, 5);
    w.PutSigned(x, bits);
    w.PutSigned(y, bits);
    return Tag(26, body + w.Take());
}

std::string GetUrlAction(const std::string& url, const std::string& target) {
    return '\x83' + Word(url.size() + target.size() + 2) + url + '\0' + target + '\0';
}

std::string Zlib(const std::string& data) {
    uLongf size = compressBound(data.size());
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(data.data()), data.size(), 9) != Z_OK)
        throw std::runtime_error("zlib failed");
    out.resize(size);
    return out;
}

// The LZMA stream as an .lzma file holds it, without that file's 13-byte header, and its
// properties apart.
std::pair<std::string, std::string> Lzma(const std::string& data) {
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    lzma_stream z = LZMA_STREAM_INIT;
    if (lzma_alone_encoder(&z, &options) != LZMA_OK) throw std::runtime_error("lzma failed");
    std::string out(data.size() + data.size() / 2 + 1024, '\0');
    z.next_in = reinterpret_cast<const std::uint8_t*>(data.data());
    z.avail_in = data.size();
    z.next_out = reinterpret_cast<std::uint8_t*>(out.data());
    z.avail_out = out.size();
    const lzma_ret status = lzma_code(&z, LZMA_FINISH);
    out.resize(out.size() - z.avail_out);
    lzma_end(&z);
    if (status != LZMA_STREAM_END) throw std::runtime_error("lzma failed");
    return {out.substr(0, 5), out.substr(13)};
}

std::string Length(std::size_t v) { return Word(v & 0xffff) + Word(v >> 16); }

}  // namespace

std::string WriteSwf(const SwfRecipe& recipe, SwfPacking packing) {
    const int width = recipe.width * kTwips, height = recipe.height * kTwips;
    const int rate = static_cast<int>(std::lround(recipe.frameRate * 256));
    const int headerFrames = recipe.headerFrames >= 0 ? recipe.headerFrames : recipe.frames;
    std::string body = Rect(0, width, 0, height) + Word(rate) + Word(headerFrames);
    if (recipe.fileAttributes)
        body +=
            Tag(69, std::string(1, recipe.actionScript3 ? '\x08' : '\x00') + std::string(3, '\0'));
    body += Tag(9, Rgb(recipe.background));
    const int side = std::min(width, height) / 4;
    if (recipe.square) body += SquareShape(side, recipe.squareColour);
    for (int frame = 1; frame <= recipe.frames; ++frame) {
        if (recipe.square) {
            const int travel = width - side;
            const int x = recipe.frames > 1 ? travel * (frame - 1) / (recipe.frames - 1) : 0;
            body += PlaceSquare(frame == 1, x, (height - side) / 2);
        }
        std::string actions;
        for (const auto& get : recipe.getUrls)
            if (get.frame == frame) actions += GetUrlAction(get.url, get.target);
        if (recipe.stopOnLastFrame && frame == recipe.frames) actions += '\x07';
        if (!actions.empty()) body += Tag(12, actions + '\0');
        body += Tag(1, {});
    }
    if (recipe.endTag) body += Tag(0, {});

    const std::string version(1, static_cast<char>(recipe.version));
    const std::string length = Length(8 + body.size());
    switch (packing) {
        case SwfPacking::Plain:
            return "FWS" + version + length + body;
        case SwfPacking::Zlib:
            return "CWS" + version + length + Zlib(body);
        case SwfPacking::Lzma: {
            const auto [properties, stream] = Lzma(body);
            return "ZWS" + version + length + Length(stream.size()) + properties + stream;
        }
    }
    return {};
}

}  // namespace revuro::testing
