// The main window's panel and the two side panels that hang off it.

#include "Painters.h"
#include "SkinCraft.h"

#include "app/MainWindowShape.h"

#include <QPainterPath>
#include <QPolygonF>

using namespace skincraft;

namespace {

const QColor kMetalTop(58, 64, 76);
const QColor kMetalBottom(30, 33, 40);
const QColor kAccent(255, 138, 31);
const QColor kSilk(214, 222, 232);
const QColor kWellFloor(12, 14, 18);

QPainterPath outlinePath() {
    QPolygonF polygon;
    for (const auto& point : tamboro::mainWindowOutline(tamboro::kOutlineBottomAtCreation))
        polygon << QPointF(point.x, point.y);
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

void knobWell(QPainter& p, QRectF knob, int ticks, qreal startRadians, qreal endRadians) {
    p.save();
    const QPointF c = knob.center();
    const qreal r = knob.width() / 2;
    // Scale ticks around the knob, following the indicator's sweep.
    p.setPen(QPen(kSilk, 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < ticks; ++i) {
        const qreal a = startRadians + (endRadians - startRadians) * i / (ticks - 1);
        const qreal inner = r + 3, outer = r + ((i == 0 || i == ticks - 1) ? 7 : 5);
        p.drawLine(QPointF(c.x() + std::cos(a) * inner, c.y() - std::sin(a) * inner),
                   QPointF(c.x() + std::cos(a) * outer, c.y() - std::sin(a) * outer));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 140));
    p.drawEllipse(c + QPointF(1, 1.5), r + 2, r + 2);
    p.restore();
}

void rail(QPainter& p, const QRectF& r) {
    p.save();
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, QColor(22, 24, 30));
    g.setColorAt(0.5, QColor(38, 42, 50));
    g.setColorAt(1, QColor(22, 24, 30));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, r.width() / 2, r.width() / 2);
    p.restore();
}

} // namespace

QImage paintMainBackground(qreal scale) {
    QImage image = canvas(tamboro::kMainClientWidth, tamboro::kMainClientHeight, QImage::Format_RGB32, scale);
    image.fill(QColor(16, 18, 22));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QPainterPath outline = outlinePath();
    brushedMetal(p, outline, kMetalTop, kMetalBottom, 7u);

    // Menu bar: a smoked-glass band under the aqua menu labels.
    {
        QPainterPath band;
        band.addRoundedRect(QRectF(140, 2, 272, 19), 6, 6);
        QLinearGradient g(0, 2, 0, 21);
        g.setColorAt(0, QColor(6, 8, 12));
        g.setColorAt(1, QColor(24, 28, 36));
        p.fillPath(band, g);
        p.setPen(QPen(QColor(0, 200, 210, 90), 1));
        p.drawLine(QPointF(150, 20.5), QPointF(402, 20.5));
    }

    // Orange accent lines framing the play area.
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(22, 96), QPointF(22, 404));
    p.drawLine(QPointF(518, 96), QPointF(518, 404));

    // Lists, grid and knobs sit in recessed wells.
    recessedWell(p, QRectF(102, 42, 125, 123), 3, kWellFloor);
    recessedWell(p, QRectF(254, 40, 125, 125), 3, kWellFloor);
    recessedWell(p, QRectF(60, 168, 421, 281), 3, kWellFloor);
    recessedWell(p, QRectF(380, 44, 16, 49), 2, kWellFloor);
    knobWell(p, QRectF(408, 60, 45, 45), 11, 0.5, 0.5 + 5.283185307179586);
    knobWell(p, QRectF(440, 132, 29, 29), 9, 0.5, 0.5 + 5.283185307179586);

    // Rails behind the round transport buttons; the right one also carries the practice panel's
    // button under the song's buttons.
    rail(p, QRectF(23, 201, 39, 170));
    rail(p, QRectF(479, 203, 39, 200));

    // The name plate under the grid: its labels are navy, so it is silver.
    silverPlate(p, QRectF(130, 442, 283, 49), 5);

    // Silkscreen: the maker's mark and the knob captions.
    engravedText(p, QRectF(27, 92, 74, 18), Qt::AlignCenter, "TAMBORO", panelFont(12, true), kSilk);
    engravedText(p, QRectF(26, 109, 76, 12), Qt::AlignCenter, "PRO  7.0", panelFont(9, true), kAccent);
    p.setPen(QPen(kAccent, 1));
    p.drawLine(QPointF(32, 123.5), QPointF(96, 123.5));
    engravedText(p, QRectF(404, 44, 52, 12), Qt::AlignCenter, "TEMPO", panelFont(9, true), kSilk);
    engravedText(p, QRectF(471, 140, 40, 12), Qt::AlignLeft | Qt::AlignVCenter, "PAN", panelFont(9, true),
                 kSilk);
    engravedText(p, QRectF(406, 120, 34, 10), Qt::AlignCenter, "L  R", panelFont(8, false), kSilk);
    // The badge sits above the maker's mark, where the outline leaves it room for the whole word
    // (beside the grid's lower right corner the slanted edge cut it short).
    engravedText(p, QRectF(27, 64, 74, 12), Qt::AlignCenter, "DRUM", panelFont(10, true), kSilk);
    engravedText(p, QRectF(27, 76, 74, 12), Qt::AlignCenter, "SEQUENCER", panelFont(8, true), kAccent);

    // Screws in the four corner tabs.
    screw(p, QPointF(9, 85), 7, 20);
    screw(p, QPointF(531, 85), 7, 65);
    screw(p, QPointF(9, 415), 7, 40);
    screw(p, QPointF(531, 415), 7, 10);

    chromeRim(p, outline, 2.5);
    return image;
}

// The side panels are painted over their whole picture: each window cuts its own rounded outline
// out of it, and the list panels sit at their client positions.
QImage paintKitListBackground(qreal scale) {
    QImage image = canvas(127, 371, QImage::Format_RGB32, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath all;
    all.addRect(QRectF(0, 0, 127, 371));
    brushedMetal(p, all, kMetalTop, kMetalBottom, 11u);
    recessedWell(p, QRectF(8, 8, 77, 301), 3, QColor(196, 206, 220));
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(97, 16), QPointF(97, 300));
    engravedText(p, QRectF(86, 120, 24, 70), Qt::AlignCenter, "K\nI\nT", panelFont(10, true), kSilk);
    screw(p, QPointF(97, 8), 6, 30);
    screw(p, QPointF(97, 312), 6, 75);
    return image;
}

QImage paintExtraSamplesBackground(qreal scale) {
    QImage image = canvas(130, 365, QImage::Format_RGB32, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath all;
    all.addRect(QRectF(0, 0, 130, 365));
    brushedMetal(p, all, kMetalTop, kMetalBottom, 13u);
    // A dark band under the aqua "Active Sample" caption.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(8, 10, 14));
    p.drawRoundedRect(QRectF(10, 3, 110, 18), 5, 5);
    recessedWell(p, QRectF(16, 24, 96, 281), 3, QColor(60, 64, 24));
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(8, 30), QPointF(8, 300));
    p.drawLine(QPointF(120, 30), QPointF(120, 300));
    screw(p, QPointF(14, 314), 6, 15);
    screw(p, QPointF(114, 314), 6, 60);
    return image;
}
