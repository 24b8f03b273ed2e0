// Build tool: renders one of the program's SVG drawings into the picture file it ships as.
// usage: render_picture <drawing.svg> <output> <width>x<height>
// The output's format follows its extension.

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_picture <drawing.svg> <output> <W>x<H>\n");
        return 2;
    }
    QSvgRenderer drawing{QString::fromLocal8Bit(argv[1])};
    if (!drawing.isValid()) {
        std::fprintf(stderr, "render_picture: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    const bool opaque = output.endsWith(".bmp", Qt::CaseInsensitive);

    QList<QImage> images;
    for (const QString& size : QString::fromLatin1(argv[3]).split(',')) {
        const QStringList wh = size.split('x');
        QImage image(wh.value(0).toInt(), wh.value(1).toInt(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawing.render(&painter);
        painter.end();
        images << (opaque ? image.convertToFormat(QImage::Format_RGB888) : image);
    }

    QImageWriter writer(output);
    if (images.size() != 1 || !writer.write(images.front())) {
        std::fprintf(stderr, "render_picture: cannot write %s: %s\n", argv[2],
                     qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
