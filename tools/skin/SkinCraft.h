#pragma once
// Drawing helpers shared by the skin's pictures: brushed metal, recessed wells, screws, engraved
// text and glossy round buttons. Deterministic, so every build paints the same pixels.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace skincraft {

// Anodised dark metal with fine horizontal brushing, clipped to `area`.
void brushedMetal(QPainter& p, const QPainterPath& area, QColor top, QColor bottom, unsigned seed);

// A chrome rim along `outline`: light at the upper left, dark at the lower right.
void chromeRim(QPainter& p, const QPainterPath& outline, qreal width);

// A recessed well (for lists, the grid, the knobs) with an inner shadow and a light lower lip.
void recessedWell(QPainter& p, const QRectF& r, qreal radius, QColor floor);

// A silver name plate with a fine border.
void silverPlate(QPainter& p, const QRectF& r, qreal radius);

// A cross-head screw of diameter d centred at c.
void screw(QPainter& p, QPointF c, qreal d, qreal slotAngleDegrees);

// Text with a one-pixel dark engraving below it.
void engravedText(QPainter& p, const QRectF& r, int flags, const QString& text, const QFont& font,
                  QColor colour);

// A glossy round button face filling `r`, in the given body colour.
void glossyButton(QPainter& p, const QRectF& r, QColor body);

// A small round LED.
void led(QPainter& p, QPointF c, qreal d, QColor colour, bool lit);

// A picture of `width` x `height` logical pixels drawn at `scale` device pixels each: a painter on it
// works in logical pixels, so every shape and text is drawn, not enlarged, at the finer scale.
QImage canvas(int width, int height, QImage::Format format, qreal scale);

QFont panelFont(int pixelSize, bool bold, bool italic = false);

} // namespace skincraft
