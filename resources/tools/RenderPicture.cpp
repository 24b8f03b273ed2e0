// Build tool: renders one of the program's SVG drawings into the picture file it ships as.
// usage: render_picture <drawing.svg> <output> <W>x<H>[=<drawing.svg>][,...] [--bits=<n>[,<n>...]]
// The output's format follows its extension. A size may name a drawing of its own, for small
// sizes that need simpler lines. An .ico holds every size at every bit depth asked for (32 when
// none is); a .bmp with --bits=32 keeps a fourth byte per pixel.

#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int kBitmapInfoHeaderSize = 40;
constexpr int kBitmapFileHeaderSize = 14;
constexpr int kPixelsPerMetre = 3780;  // 96 dots per inch
constexpr int kOpaqueFrom = 128;       // alpha from which an icon pixel is drawn

void Put16(QByteArray& out, int value) {
    char bytes[2];
    qToLittleEndian<quint16>(static_cast<quint16>(value), bytes);
    out.append(bytes, 2);
}

void Put32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian<quint32>(value, bytes);
    out.append(bytes, 4);
}

void PadRow(QByteArray& out, qsizetype rowStart) {
    while ((out.size() - rowStart) % 4 != 0) out.append('\0');
}

// --- colour reduction for the icon's 4- and 8-bit images ---

struct ColourCount {
    QRgb colour;
    qint64 count;
};

int Channel(QRgb colour, int channel) {
    return channel == 0 ? qRed(colour) : channel == 1 ? qGreen(colour) : qBlue(colour);
}

// Median cut: splits the box of colours with the widest weighted spread until there are
// `wanted` boxes; each box becomes its weighted mean.
QList<QRgb> ReduceColours(const QImage& image, int wanted) {
    QHash<QRgb, qint64> histogram;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) >= kOpaqueFrom) ++histogram[row[x] | 0xff000000u];
        }
    }
    std::vector<std::vector<ColourCount>> boxes(1);
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        boxes[0].push_back({it.key(), it.value()});
    if (boxes[0].empty()) return {};

    const auto spread = [](const std::vector<ColourCount>& box, int& widest) {
        qint64 best = -1;
        for (int channel = 0; channel < 3; ++channel) {
            int low = 255, high = 0;
            qint64 total = 0;
            for (const ColourCount& entry : box) {
                low = std::min(low, Channel(entry.colour, channel));
                high = std::max(high, Channel(entry.colour, channel));
                total += entry.count;
            }
            const qint64 weighted = static_cast<qint64>(high - low) * total;
            if (box.size() > 1 && weighted > best) {
                best = weighted;
                widest = channel;
            }
        }
        return best;
    };
    while (static_cast<int>(boxes.size()) < wanted) {
        int channel = 0, splitChannel = 0;
        qint64 best = 0;
        std::size_t split = boxes.size();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const qint64 s = spread(boxes[i], channel);
            if (s > best) {
                best = s;
                split = i;
                splitChannel = channel;
            }
        }
        if (split == boxes.size()) break;  // every box holds one colour
        auto& box = boxes[split];
        std::sort(box.begin(), box.end(),
                  [splitChannel](const ColourCount& a, const ColourCount& b) {
                      return Channel(a.colour, splitChannel) < Channel(b.colour, splitChannel);
                  });
        qint64 total = 0;
        for (const ColourCount& entry : box) total += entry.count;
        qint64 seen = 0;
        std::size_t cut = 1;
        for (; cut < box.size() - 1; ++cut) {
            seen += box[cut - 1].count;
            if (seen * 2 >= total) break;
        }
        std::vector<ColourCount> upper(box.begin() + static_cast<std::ptrdiff_t>(cut), box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }

    QList<QRgb> palette;
    for (const auto& box : boxes) {
        qint64 r = 0, g = 0, b = 0, total = 0;
        for (const ColourCount& entry : box) {
            r += qRed(entry.colour) * entry.count;
            g += qGreen(entry.colour) * entry.count;
            b += qBlue(entry.colour) * entry.count;
            total += entry.count;
        }
        palette << qRgb(static_cast<int>(r / total), static_cast<int>(g / total),
                        static_cast<int>(b / total));
    }
    return palette;
}

int Nearest(const QList<QRgb>& palette, QRgb colour) {
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(colour);
        const int dg = qGreen(palette[i]) - qGreen(colour);
        const int db = qBlue(palette[i]) - qBlue(colour);
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// --- device-independent bitmaps ---

// The pixel rows of a DIB, bottom-up, each padded to four bytes.
QByteArray PixelRows(const QImage& image, int bits, const QList<QRgb>& palette) {
    QByteArray out;
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const qsizetype rowStart = out.size();
        if (bits == 32) {
            for (int x = 0; x < image.width(); ++x) {
                Put32(out, row[x]);  // B, G, R, A in little-endian order
            }
        } else {
            int pending = 0, filled = 0;
            for (int x = 0; x < image.width(); ++x) {
                // Transparent pixels take index 0, black, so that the mask leaves the background.
                const int index = qAlpha(row[x]) >= kOpaqueFrom ? Nearest(palette, row[x]) : 0;
                pending = (pending << bits) | index;
                filled += bits;
                if (filled == 8) {
                    out.append(static_cast<char>(pending));
                    pending = filled = 0;
                }
            }
            if (filled > 0) out.append(static_cast<char>(pending << (8 - filled)));
        }
        PadRow(out, rowStart);
    }
    return out;
}

// The icon's AND mask: one bit a pixel, set where the background shows through.
QByteArray MaskRows(const QImage& image) {
    QByteArray out;
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const qsizetype rowStart = out.size();
        int pending = 0;
        for (int x = 0; x < image.width(); ++x) {
            pending = (pending << 1) | (qAlpha(row[x]) < kOpaqueFrom ? 1 : 0);
            if (x % 8 == 7) {
                out.append(static_cast<char>(pending));
                pending = 0;
            }
        }
        if (image.width() % 8 != 0) {
            out.append(static_cast<char>(pending << (8 - image.width() % 8)));
        }
        PadRow(out, rowStart);
    }
    return out;
}

void PutInfoHeader(QByteArray& out, const QImage& image, int storedHeight, int bits,
                   qsizetype imageBytes, int colours) {
    Put32(out, kBitmapInfoHeaderSize);
    Put32(out, static_cast<quint32>(image.width()));
    Put32(out, static_cast<quint32>(storedHeight));
    Put16(out, 1);  // planes
    Put16(out, bits);
    Put32(out, 0);  // uncompressed
    Put32(out, static_cast<quint32>(imageBytes));
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, static_cast<quint32>(colours));
    Put32(out, 0);  // all colours matter
}

// One image of an icon: header (twice the height, for colours and mask), palette, colours, mask.
QByteArray IconImage(const QImage& image, int bits) {
    QList<QRgb> palette;
    if (bits <= 8) {
        palette << qRgb(0, 0, 0);
        palette << ReduceColours(image, (1 << bits) - 1);
        while (palette.size() < (1 << bits)) palette << qRgb(0, 0, 0);
    }
    const QByteArray pixels = PixelRows(image, bits, palette);
    const QByteArray mask = MaskRows(image);
    QByteArray out;
    PutInfoHeader(out, image, 2 * image.height(), bits, pixels.size() + mask.size(),
                  static_cast<int>(palette.size()));
    for (QRgb colour : palette) Put32(out, colour & 0x00ffffffu);
    out += pixels;
    out += mask;
    return out;
}

// A Windows icon file: Qt writes only one image per .ico, the program needs several.
QByteArray IconFile(const QList<QImage>& images, const QList<int>& depths) {
    QList<QByteArray> entries;
    QList<QPair<QImage, int>> order;
    for (const QImage& image : images) {
        for (int bits : depths) {
            entries << IconImage(image, bits);
            order << qMakePair(image, bits);
        }
    }
    QByteArray out;
    Put16(out, 0);
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, static_cast<int>(entries.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QImage& image = order[i].first;
        const int bits = order[i].second;
        out.append(static_cast<char>(image.width() >= 256 ? 0 : image.width()));
        out.append(static_cast<char>(image.height() >= 256 ? 0 : image.height()));
        out.append(static_cast<char>(bits < 8 ? 1 << bits : 0));
        out.append('\0');
        Put16(out, 1);
        Put16(out, bits);
        Put32(out, static_cast<quint32>(entries[i].size()));
        Put32(out, offset);
        offset += static_cast<quint32>(entries[i].size());
    }
    for (const QByteArray& entry : entries) out += entry;
    return out;
}

// A 32-bit bitmap file; Qt's own writer stores 24 bits.
QByteArray BitmapFile32(const QImage& image) {
    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    const QByteArray pixels = PixelRows(opaque, 32, {});
    QByteArray out;
    out.append("BM");
    Put32(out, static_cast<quint32>(kBitmapFileHeaderSize + kBitmapInfoHeaderSize + pixels.size()));
    Put32(out, 0);
    Put32(out, kBitmapFileHeaderSize + kBitmapInfoHeaderSize);
    PutInfoHeader(out, opaque, opaque.height(), 32, pixels.size(), 0);
    out += pixels;
    return out;
}

// --- command line ---

struct Size {
    int width = 0;
    int height = 0;
    QString drawing;
};

std::optional<QList<Size>> ParseSizes(const QString& text, const QString& drawing) {
    QList<Size> sizes;
    for (const QString& item : text.split(',')) {
        const QStringList parts = item.split('=');
        const QStringList wh = parts.value(0).split('x');
        bool okW = false, okH = false;
        Size size{wh.value(0).toInt(&okW), wh.value(1).toInt(&okH),
                  parts.size() > 1 ? parts[1] : drawing};
        if (wh.size() != 2 || !okW || !okH || size.width <= 0 || size.height <= 0) return {};
        sizes << size;
    }
    return sizes;
}

std::optional<QList<int>> ParseDepths(const QString& text) {
    QList<int> depths;
    for (const QString& item : text.split(',')) {
        const int bits = item.toInt();
        if (bits != 4 && bits != 8 && bits != 32) return {};
        depths << bits;
    }
    return depths;
}

// Whole or not at all: a half-written picture would look fine to the next build.
bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    const std::optional<QList<Size>> sizes =
        args.size() >= 4 ? ParseSizes(args[3], args[1]) : std::nullopt;
    std::optional<QList<int>> depths;
    if (args.size() == 5 && args[4].startsWith("--bits=")) {
        depths = ParseDepths(args[4].mid(7));
    }
    if (!sizes || args.size() > 5 || (args.size() == 5 && !depths)) {
        std::fprintf(stderr,
                     "usage: render_picture <drawing.svg> <output> "
                     "<W>x<H>[=<drawing.svg>][,...] [--bits=4|8|32[,...]]\n");
        return 2;
    }
    const QString output = args[2];

    QList<QImage> images;
    for (const Size& size : *sizes) {
        QSvgRenderer drawing{size.drawing};
        if (!drawing.isValid()) {
            std::fprintf(stderr, "render_picture: cannot read %s\n", qPrintable(size.drawing));
            return 1;
        }
        QImage image(size.width, size.height, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawing.render(&painter);
        painter.end();
        images << image;
    }

    bool written = false;
    QString why;
    if (output.endsWith(".ico", Qt::CaseInsensitive)) {
        written = WriteBytes(output, IconFile(images, depths.value_or(QList<int>{32})));
    } else if (images.size() != 1) {
        why = "only an .ico holds more than one size";
    } else if (depths) {
        if (!output.endsWith(".bmp", Qt::CaseInsensitive) || *depths != QList<int>{32}) {
            why = "--bits is for .ico files and 32-bit .bmp files";
        } else {
            written = WriteBytes(output, BitmapFile32(images.front()));
        }
    } else {
        const bool opaque = output.endsWith(".bmp", Qt::CaseInsensitive);
        QImageWriter writer(output);
        written = writer.write(opaque ? images.front().convertToFormat(QImage::Format_RGB888)
                                      : images.front());
        why = writer.errorString();
    }
    if (!written) {
        std::fprintf(stderr, "render_picture: cannot write %s: %s\n", qPrintable(output),
                     qPrintable(why.isEmpty() ? QStringLiteral("write failed") : why));
        return 1;
    }
    return 0;
}
