// The pictures the program ships, as built into it: their sizes and formats, and that Qt reads
// every image back.

#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QtEndian>
#include <QtTest>

namespace {

struct IconEntry {
    int width;
    int height;
    int bits;
    friend bool operator==(const IconEntry&, const IconEntry&) = default;
};

QByteArray ReadResource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 U16(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 U32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The directory of a Windows icon file; empty when the header is not one.
QList<IconEntry> Directory(const QByteArray& ico) {
    QList<IconEntry> entries;
    if (ico.size() < 6 || U16(ico, 0) != 0 || U16(ico, 2) != 1) return entries;
    const int count = U16(ico, 4);
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= ico.size(); ++i) {
        const int at = 6 + 16 * i;
        const int width = static_cast<unsigned char>(ico[at]);
        const int height = static_cast<unsigned char>(ico[at + 1]);
        const quint32 offset = U32(ico, at + 12);
        // The image's own header must agree with the directory.
        if (offset + 40 > static_cast<quint32>(ico.size())) return {};
        if (static_cast<int>(U32(ico, offset + 4)) != width ||
            static_cast<int>(U32(ico, offset + 8)) != 2 * height ||
            U16(ico, offset + 14) != U16(ico, at + 6)) {
            return {};
        }
        entries << IconEntry{width, height, U16(ico, at + 6)};
    }
    return entries;
}

}  // namespace

class tst_AboutPictures : public QObject {
    Q_OBJECT

  private slots:
    void programIconHoldsThreeSizesAtFourAndEightBits() {
        const QList<IconEntry> entries = Directory(ReadResource(":/revuro/icon.ico"));
        QCOMPARE(
            entries,
            (QList<IconEntry>{
                {16, 16, 8}, {16, 16, 4}, {32, 32, 8}, {32, 32, 4}, {48, 48, 8}, {48, 48, 4}}));
    }

    void mailPointerIsOne48PixelImage() {
        const QList<IconEntry> entries = Directory(ReadResource(":/revuro/mail.ico"));
        QCOMPARE(entries, (QList<IconEntry>{{48, 48, 32}}));
    }

    void homePagePointerHoldsThreeSizes() {
        const QList<IconEntry> entries = Directory(ReadResource(":/revuro/network.ico"));
        QCOMPARE(entries, (QList<IconEntry>{{16, 16, 32}, {32, 32, 32}, {48, 48, 32}}));
    }

    void everyIconImageReadsBack_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("icon") << ":/revuro/icon.ico";
        QTest::newRow("mail") << ":/revuro/mail.ico";
        QTest::newRow("network") << ":/revuro/network.ico";
    }
    void everyIconImageReadsBack() {
        QFETCH(QString, path);
        QImageReader reader(path);
        const int count = reader.imageCount();
        QVERIFY(count > 0);
        for (int i = 0; i < count; ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
            // Something is drawn, and the corners of a round or boxed picture stay clear.
            QVERIFY(image.hasAlphaChannel());
            QCOMPARE(image.pixelColor(0, image.height() - 1).alpha(), 0);
        }
    }

    void bannerIs300By106At32Bits() {
        const QByteArray bmp = ReadResource(":/revuro/banner.bmp");
        QVERIFY(bmp.startsWith("BM"));
        QCOMPARE(U32(bmp, 18), 300U);
        QCOMPARE(U32(bmp, 22), 106U);
        QCOMPARE(U16(bmp, 28), quint16(32));
        QCOMPARE(U32(bmp, 2), static_cast<quint32>(bmp.size()));
        const QImage banner(":/revuro/banner.bmp");
        QCOMPARE(banner.size(), QSize(300, 106));
        // A light-blue sky: blue outweighs red at the top.
        const QColor sky = banner.pixelColor(150, 2);
        QVERIFY(sky.blue() > 200 && sky.blue() > sky.red() + 60);
    }

    void windowsShowTheEightBitImages() {
        // Of two images of one size, the richer one is what a window shows.
        QImageReader reader(":/revuro/icon.ico");
        QVERIFY(reader.jumpToImage(2));  // 32 x 32 at 8 bits
        const QImage eightBit = reader.read().convertToFormat(QImage::Format_ARGB32);
        const QImage shown = QIcon(":/revuro/icon.ico")
                                 .pixmap(32, 32)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shown, eightBit);
    }
};

QTEST_MAIN(tst_AboutPictures)
#include "tst_AboutPictures.moc"
