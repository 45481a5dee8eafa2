#include "SkinCraft.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

#include <cstdint>

namespace skincraft {

namespace {

// A small linear congruential generator: the same seed gives the same brushing on every build.
struct Lcg {
    std::uint32_t state;
    std::uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    double unit() { return static_cast<double>(next() & 0xFFFF) / 65535.0; }
};

} // namespace

QImage canvas(int width, int height, QImage::Format format, qreal scale) {
    QImage image(qCeil(width * scale), qCeil(height * scale), format);
    image.setDevicePixelRatio(scale);
    return image;
}

QFont panelFont(int pixelSize, bool bold, bool italic) {
    QFont f("DejaVu Sans");
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void brushedMetal(QPainter& p, const QPainterPath& area, QColor top, QColor bottom, unsigned seed) {
    p.save();
    p.setClipPath(area);
    const QRectF b = area.boundingRect();
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(b, g);
    Lcg rng{seed};
    for (int y = static_cast<int>(b.top()); y < b.bottom(); ++y) {
        const double shade = rng.unit();
        const int alpha = static_cast<int>(6 + shade * 14);
        p.setPen(QPen(shade > 0.5 ? QColor(255, 255, 255, alpha) : QColor(0, 0, 0, alpha), 1));
        const double x0 = b.left() + rng.unit() * 40;
        p.drawLine(QPointF(x0, y + 0.5), QPointF(b.right() - rng.unit() * 40, y + 0.5));
    }
    p.restore();
}

void chromeRim(QPainter& p, const QPainterPath& outline, qreal width) {
    p.save();
    const QRectF b = outline.boundingRect();
    QLinearGradient g(b.topLeft(), b.bottomRight());
    g.setColorAt(0, QColor(235, 238, 242));
    g.setColorAt(0.45, QColor(150, 156, 166));
    g.setColorAt(0.55, QColor(120, 126, 136));
    g.setColorAt(1, QColor(40, 44, 52));
    p.setPen(QPen(QBrush(g), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.restore();
}

void recessedWell(QPainter& p, const QRectF& r, qreal radius, QColor floor) {
    p.save();
    p.setPen(Qt::NoPen);
    // Lower lip catching the light.
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(r.adjusted(-1, -1, 2, 2), radius + 1, radius + 1);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawRoundedRect(r.adjusted(-2, -2, 0, 0), radius + 1, radius + 1);
    p.setBrush(floor);
    p.drawRoundedRect(r, radius, radius);
    // Inner shadow along the top and left edges.
    QLinearGradient shade(r.topLeft(), r.topLeft() + QPointF(0, 8));
    shade.setColorAt(0, QColor(0, 0, 0, 120));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shade);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void silverPlate(QPainter& p, const QRectF& r, qreal radius) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(238, 240, 243));
    g.setColorAt(0.5, QColor(205, 210, 217));
    g.setColorAt(1, QColor(176, 182, 191));
    p.setPen(QPen(QColor(70, 74, 82), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1));
    p.drawLine(r.topLeft() + QPointF(radius, 1), r.topRight() + QPointF(-radius, 1));
    p.restore();
}

void screw(QPainter& p, QPointF c, qreal d, qreal slotAngleDegrees) {
    p.save();
    QRadialGradient g(c - QPointF(d * 0.2, d * 0.2), d * 0.7);
    g.setColorAt(0, QColor(230, 232, 236));
    g.setColorAt(1, QColor(95, 100, 110));
    p.setPen(QPen(QColor(20, 22, 26), 1));
    p.setBrush(g);
    p.drawEllipse(c, d / 2, d / 2);
    p.translate(c);
    p.rotate(slotAngleDegrees);
    p.setPen(QPen(QColor(40, 42, 48), 1.4));
    p.drawLine(QPointF(-d * 0.32, 0), QPointF(d * 0.32, 0));
    p.drawLine(QPointF(0, -d * 0.32), QPointF(0, d * 0.32));
    p.restore();
}

void engravedText(QPainter& p, const QRectF& r, int flags, const QString& text, const QFont& font,
                  QColor colour) {
    p.save();
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(r.translated(0, 1), flags, text);
    p.setPen(colour);
    p.drawText(r, flags, text);
    p.restore();
}

void glossyButton(QPainter& p, const QRectF& r, QColor body) {
    p.save();
    // Dark bezel ring.
    QLinearGradient bezel(r.topLeft(), r.bottomRight());
    bezel.setColorAt(0, QColor(210, 214, 220));
    bezel.setColorAt(1, QColor(30, 32, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(bezel);
    p.drawEllipse(r);
    const QRectF face = r.adjusted(2, 2, -2, -2);
    QRadialGradient g(face.center() + QPointF(-face.width() * 0.18, -face.height() * 0.22),
                      face.width() * 0.75);
    g.setColorAt(0, body.lighter(165));
    g.setColorAt(0.55, body);
    g.setColorAt(1, body.darker(200));
    p.setBrush(g);
    p.drawEllipse(face);
    // Gloss highlight on the upper half.
    QLinearGradient gloss(face.topLeft(), QPointF(face.left(), face.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawEllipse(
        QRectF(face.left() + face.width() * 0.15, face.top() + 1, face.width() * 0.7, face.height() * 0.48));
    p.restore();
}

void led(QPainter& p, QPointF c, qreal d, QColor colour, bool lit) {
    p.save();
    p.setPen(QPen(QColor(10, 10, 12), 1));
    QRadialGradient g(c - QPointF(d * 0.15, d * 0.15), d * 0.6);
    if (lit) {
        g.setColorAt(0, colour.lighter(180));
        g.setColorAt(1, colour);
    } else {
        g.setColorAt(0, colour.darker(250));
        g.setColorAt(1, colour.darker(500));
    }
    p.setBrush(g);
    p.drawEllipse(c, d / 2, d / 2);
    p.restore();
}

} // namespace skincraft
