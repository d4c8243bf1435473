// Draws the program's icon (data/org.qlx.QLX.svg) as the pictures a browser asks of a site it can
// install on a home screen: 192 and 512 pixels square, on a white face that fills the square (a
// phone cuts it to its own shape), the drawing inside the middle four fifths.
// Run: qlx_make_icons SVG OUT_DIR
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: qlx_make_icons SVG OUT_DIR\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "qlx_make_icons: cannot read %s\n", argv[1]);
        return 1;
    }
    for (const int size : {192, 512}) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const double margin = size * 0.1;
        svg.render(&painter, QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
        painter.end();
        const QString file = QString::fromLocal8Bit(argv[2]) + QString("/icon-%1.png").arg(size);
        if (!image.save(file)) {
            std::fprintf(stderr, "qlx_make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
