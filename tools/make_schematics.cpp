// Draws the six tuner schematics beside the program at build time: the transmitter at the left,
// the line at the right, capacitors, coils and ground in the usual symbols, each element where
// the result page lays its value box.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>

#include "tuner/schematic_layout.h"

namespace {

namespace sc = qlx::tuner::schematic;
using sc::Part;

constexpr int kLead = 34;  // half the length a series element takes on the rail

// Capacitor plates across the direction of the current, between two points on one line.
void Capacitor(QPainter& p, QPointF a, QPointF b, bool dashed) {
    const bool horizontal = a.y() == b.y();
    const QPointF mid = (a + b) / 2.0;
    const QPointF gap = horizontal ? QPointF(5, 0) : QPointF(0, 5);
    const QPointF half = horizontal ? QPointF(0, 15) : QPointF(15, 0);
    QPen pen = p.pen();
    if (dashed) {
        QPen d = pen;
        d.setStyle(Qt::DashLine);
        p.setPen(d);
    }
    p.drawLine(a, mid - gap);
    p.drawLine(mid + gap, b);
    QPen plate = p.pen();
    plate.setWidthF(3.0);
    p.setPen(plate);
    p.drawLine(mid - gap - half, mid - gap + half);
    p.drawLine(mid + gap - half, mid + gap + half);
    p.setPen(pen);
}

// A coil as four half-turns between two points on one line.
void Coil(QPainter& p, QPointF a, QPointF b) {
    const bool horizontal = a.y() == b.y();
    const double len = horizontal ? b.x() - a.x() : b.y() - a.y();
    const double body = 48.0, turn = body / 4.0, rise = turn * 0.9;
    const double start = (len - body) / 2.0;
    auto at = [&](double along, double across) {
        return horizontal ? QPointF(a.x() + along, a.y() - across) : QPointF(a.x() + across, a.y() + along);
    };
    p.drawLine(a, at(start, 0));
    QPainterPath path(at(start, 0));
    for (int k = 0; k < 4; ++k) {
        const double s0 = start + turn * k;
        path.cubicTo(at(s0, rise), at(s0 + turn, rise), at(s0 + turn, 0));
    }
    p.drawPath(path);
    p.drawLine(at(start + body, 0), b);
}

void Ground(QPainter& p, double x) {
    const double y = sc::kGroundY;
    p.drawLine(QPointF(x - 12, y + 4), QPointF(x + 12, y + 4));
    p.drawLine(QPointF(x - 7, y + 8), QPointF(x + 7, y + 8));
    p.drawLine(QPointF(x - 2, y + 12), QPointF(x + 2, y + 12));
}

void Dot(QPainter& p, double x, double y) {
    p.save();
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(x, y), 3.2, 3.2);
    p.restore();
}

void Draw(QPainter& p, Part part, double x) {
    const double rail = sc::kRailY, ground = sc::kGroundY;
    switch (part) {
        case Part::None: break;
        case Part::SeriesC: Capacitor(p, QPointF(x - kLead, rail), QPointF(x + kLead, rail), false); break;
        case Part::SeriesL: Coil(p, QPointF(x - kLead, rail), QPointF(x + kLead, rail)); break;
        case Part::ShuntC:
        case Part::StrayC:
            Capacitor(p, QPointF(x, rail), QPointF(x, ground), part == Part::StrayC);
            Dot(p, x, rail);
            break;
        case Part::ShuntL:
            Coil(p, QPointF(x, rail), QPointF(x, ground));
            Dot(p, x, rail);
            break;
    }
}

QImage Picture(const sc::Layout& layout) {
    QImage img(sc::kWidth, sc::kHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black, 2.0);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    QFont font("Arial");
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);

    // The rail runs from terminal to terminal, broken where a series element stands.
    double from = sc::kTxX;
    for (std::size_t k = 0; k < 3; ++k) {
        if (!sc::IsSeries(layout.places[k])) continue;
        p.drawLine(QPointF(from, sc::kRailY), QPointF(sc::kSlotX[k] - kLead, sc::kRailY));
        from = sc::kSlotX[k] + kLead;
    }
    p.drawLine(QPointF(from, sc::kRailY), QPointF(sc::kLineX, sc::kRailY));
    p.drawLine(QPointF(sc::kTxX, sc::kGroundY), QPointF(sc::kLineX, sc::kGroundY));
    for (double x : {double(sc::kTxX), double(sc::kLineX)}) {
        p.drawEllipse(QPointF(x, sc::kRailY), 4.5, 4.5);
        p.drawEllipse(QPointF(x, sc::kGroundY), 4.5, 4.5);
    }
    Ground(p, sc::kGroundSymbolX);
    p.drawText(QRectF(sc::kTxX - 24, sc::kRailY + 8, 48, 20), Qt::AlignCenter, "TX");
    p.drawText(QRectF(sc::kLineX - 70, sc::kRailY + 8, 70, 20), Qt::AlignRight | Qt::AlignVCenter, "To line");

    for (std::size_t k = 0; k < 3; ++k) Draw(p, layout.places[k], sc::kSlotX[k]);
    if (layout.stray_at_output) Draw(p, Part::StrayC, sc::kStrayX);
    p.end();
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qlx_make_schematics OUTPUT-DIRECTORY\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    for (const sc::Layout& layout : sc::kLayouts) {
        const QString file = dir + "/" + QString::fromUtf8(qlx::tuner::SchematicFile(layout.schematic).data(),
                                                          static_cast<qsizetype>(qlx::tuner::SchematicFile(layout.schematic).size()));
        if (!Picture(layout).save(file, "BMP")) {
            std::fprintf(stderr, "qlx_make_schematics: cannot write %s\n", file.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
