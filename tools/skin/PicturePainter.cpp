// The intro screen's picture and the about window's background and picture.

#include "Painters.h"
#include "SkinCraft.h"

#include "controls/AboutWindowShape.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

using namespace skincraft;

namespace {

const QColor kAccent(255, 138, 31);
const QColor kSilk(214, 222, 232);

// A row of sixteen step pads in four groups, some of them lit, as on a drum machine's front.
void stepPads(QPainter& p, QRectF area, unsigned pattern) {
    const QColor groups[4] = {QColor(220, 60, 40), QColor(240, 140, 30), QColor(240, 210, 60),
                              QColor(235, 235, 225)};
    const qreal gap = 3, groupGap = 6;
    const qreal w = (area.width() - 12 * gap - 3 * groupGap) / 16;
    qreal x = area.left();
    for (int i = 0; i < 16; ++i) {
        const QRectF pad(x, area.top(), w, area.height());
        QLinearGradient g(pad.topLeft(), pad.bottomLeft());
        const QColor body = groups[i / 4];
        g.setColorAt(0, body.lighter(115));
        g.setColorAt(1, body.darker(135));
        p.setPen(QPen(QColor(0, 0, 0, 180), 1));
        p.setBrush(g);
        p.drawRoundedRect(pad, 2, 2);
        led(p, QPointF(pad.center().x(), area.top() - 7), 5, QColor(255, 40, 30), (pattern >> i) & 1u);
        x += w + ((i % 4 == 3) ? groupGap : gap);
    }
}

void drumKnob(QPainter& p, QPointF c, qreal r, qreal angle) {
    QRadialGradient g(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
    g.setColorAt(0, QColor(150, 156, 166));
    g.setColorAt(1, QColor(40, 44, 52));
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(250, 250, 250), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(std::cos(angle) * r * 0.35, -std::sin(angle) * r * 0.35),
               c + QPointF(std::cos(angle) * r * 0.85, -std::sin(angle) * r * 0.85));
}

} // namespace

QImage paintIntroPicture(qreal scale) {
    QImage image = canvas(452, 362, QImage::Format_RGB32, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QPainterPath all;
    all.addRect(QRectF(0, 0, 452, 362));
    brushedMetal(p, all, QColor(44, 48, 58), QColor(14, 16, 20), 21u);

    // The labels at the top left stand on a dark band.
    p.fillRect(QRectF(0, 0, 452, 40), QColor(6, 7, 10));
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(0, 40), QPointF(452, 40));

    // A soft orange glow behind the name.
    QRadialGradient glow(QPointF(226, 130), 190);
    glow.setColorAt(0, QColor(255, 138, 31, 70));
    glow.setColorAt(1, QColor(255, 138, 31, 0));
    p.fillRect(QRectF(0, 41, 452, 200), glow);

    engravedText(p, QRectF(0, 78, 452, 70), Qt::AlignCenter, "TAMBORO", panelFont(64, true),
                 QColor(245, 246, 248));
    engravedText(p, QRectF(0, 146, 452, 26), Qt::AlignCenter, "P R O   7 . 0", panelFont(20, true), kAccent);
    engravedText(p, QRectF(0, 176, 452, 20), Qt::AlignCenter, "DRUM PATTERN SEQUENCER", panelFont(13, true),
                 kSilk);

    stepPads(p, QRectF(26, 258, 400, 30), 0b1001001010010010u);
    engravedText(p, QRectF(26, 292, 400, 14), Qt::AlignLeft, "1", panelFont(9, true), kSilk);
    engravedText(p, QRectF(26, 292, 400, 14), Qt::AlignRight, "16", panelFont(9, true), kSilk);

    drumKnob(p, QPointF(60, 212), 18, 2.2);
    drumKnob(p, QPointF(392, 212), 18, 0.9);
    engravedText(p, QRectF(30, 232, 60, 14), Qt::AlignCenter, "TEMPO", panelFont(9, true), kSilk);
    engravedText(p, QRectF(362, 232, 60, 14), Qt::AlignCenter, "PAN", panelFont(9, true), kSilk);

    engravedText(p, QRectF(0, 330, 452, 20), Qt::AlignCenter, "click to start", panelFont(11, false, true),
                 QColor(160, 168, 180));
    screw(p, QPointF(12, 350), 8, 30);
    screw(p, QPointF(440, 350), 8, 70);
    return image;
}

QImage paintAboutBackground(qreal scale) {
    QImage image =
        canvas(tamboro::kAboutWindowWidth, tamboro::kAboutWindowHeight, QImage::Format_RGB32, scale);
    image.fill(QColor(16, 18, 22));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF polygon;
    for (const auto& point : tamboro::aboutWindowOutline())
        polygon << QPointF(point.x, point.y);
    QPainterPath outline;
    outline.addPolygon(polygon);
    outline.closeSubpath();
    outline.setFillRule(Qt::OddEvenFill);
    brushedMetal(p, outline, QColor(58, 64, 76), QColor(26, 29, 36), 31u);
    // A dark window under the scrolling line and a frame around the picture.
    recessedWell(p, QRectF(36, 189, 201, 18), 3, QColor(6, 8, 12));
    recessedWell(p, QRectF(32, 30, 204, 154), 2, QColor(6, 8, 12));
    chromeRim(p, outline, 2);
    return image;
}

QImage paintAboutPicture(qreal scale) {
    QImage image = canvas(200, 150, QImage::Format_RGB32, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, QColor(24, 28, 40));
    sky.setColorAt(1, QColor(8, 9, 12));
    p.fillRect(image.rect(), sky);
    QRadialGradient spot(QPointF(100, 40), 120);
    spot.setColorAt(0, QColor(255, 200, 120, 90));
    spot.setColorAt(1, QColor(255, 200, 120, 0));
    p.fillRect(image.rect(), spot);

    // Cymbal on its stand.
    p.setPen(QPen(QColor(150, 150, 150), 2));
    p.drawLine(QPointF(150, 40), QPointF(150, 140));
    QLinearGradient brass(120, 30, 180, 45);
    brass.setColorAt(0, QColor(250, 210, 110));
    brass.setColorAt(1, QColor(170, 120, 40));
    p.setPen(QPen(QColor(90, 60, 20), 1));
    p.setBrush(brass);
    p.drawEllipse(QRectF(112, 32, 76, 14));

    // Snare drum: shell, head and lugs.
    const QRectF head(34, 64, 110, 30);
    QLinearGradient shell(34, 0, 144, 0);
    shell.setColorAt(0, QColor(120, 20, 24));
    shell.setColorAt(0.35, QColor(230, 60, 50));
    shell.setColorAt(1, QColor(90, 14, 18));
    p.setPen(QPen(QColor(30, 8, 8), 1));
    p.setBrush(shell);
    p.drawRect(QRectF(34, 79, 110, 44));
    p.drawEllipse(QRectF(34, 108, 110, 30));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(34.5, 100, 109, 23));
    p.setPen(QPen(QColor(200, 200, 205), 2));
    for (int i = 0; i < 6; ++i) {
        const qreal x = 40 + i * 19.5;
        p.drawLine(QPointF(x, 84), QPointF(x, 126));
    }
    QRadialGradient skin(head.center() - QPointF(20, 6), 70);
    skin.setColorAt(0, QColor(252, 250, 244));
    skin.setColorAt(1, QColor(200, 196, 188));
    p.setPen(QPen(QColor(170, 170, 175), 3));
    p.setBrush(skin);
    p.drawEllipse(head);

    // Two crossed sticks.
    p.setPen(QPen(QColor(225, 190, 130), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 20), QPointF(96, 74));
    p.drawLine(QPointF(136, 12), QPointF(80, 76));

    p.setFont(panelFont(11, true));
    p.setPen(QColor(255, 138, 31));
    p.drawText(QRectF(6, 128, 188, 18), Qt::AlignRight | Qt::AlignVCenter, "TAMBORO PRO");
    return image;
}
