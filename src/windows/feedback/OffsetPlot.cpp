#include "windows/feedback/OffsetPlot.h"

#include "windows/feedback/PlotFrame.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tamboro {

OffsetPlot::OffsetPlot(QWidget* parent) : QWidget(parent) {
    setObjectName("offsetPlot");
    setMinimumSize(240, 140);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void OffsetPlot::setPoints(std::vector<OffsetPoint> points, double lengthSeconds) {
    points_ = std::move(points);
    lengthSeconds_ = lengthSeconds > 0 ? lengthSeconds : 1;
    double widest = 0;
    for (const OffsetPoint& p : points_) {
        widest = std::max(widest, std::fabs(p.offsetMs));
        lengthSeconds_ = std::max(lengthSeconds_, p.seconds);
    }
    rangeMs_ = std::max(50.0, std::ceil(widest / 10) * 10);
    update();
}

void OffsetPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = fontMetrics();
    const QRectF area = plot::plotArea(rect(), metrics, QString("-%1 ms").arg(rangeMs_, 0, 'f', 0));
    auto y = [&](double ms) { return area.center().y() - ms / rangeMs_ * area.height() / 2; };
    auto x = [&](double s) { return area.left() + s / lengthSeconds_ * area.width(); };

    // The bands, the beat line, the words for up and down.
    painter.fillRect(QRectF(area.left(), y(25), area.width(), y(-25) - y(25)), plot::kBand25);
    painter.fillRect(QRectF(area.left(), y(10), area.width(), y(-10) - y(10)), plot::kBand10);
    painter.setPen(QPen(palette().text().color(), 1.2));
    painter.drawLine(QPointF(area.left(), y(0)), QPointF(area.right(), y(0)));
    painter.setPen(palette().text().color());
    // The band edges and the range first, then the regular ticks that leave room for their labels.
    std::vector<double> yTicks;
    std::vector<double> candidates{0, -10, 10, -25, 25, -rangeMs_, rangeMs_};
    for (const double t : plot::ticks(-rangeMs_, rangeMs_, plot::niceStep(2 * rangeMs_, 10)))
        candidates.push_back(t);
    for (const double t : candidates)
        if (std::none_of(yTicks.begin(), yTicks.end(),
                         [&](double kept) { return std::fabs(y(kept) - y(t)) < metrics.height() * 1.5; }))
            yTicks.push_back(t);
    for (const double ms : yTicks) {
        const QString label = QString("%1%2 ms").arg(ms > 0 ? "+" : "").arg(ms, 0, 'f', 0);
        painter.drawText(QRectF(0, y(ms) - metrics.height() / 2.0,
                                area.left() - metrics.averageCharWidth() / 2.0, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
    const double xStep = plot::niceStep(
        lengthSeconds_,
        std::max(2, static_cast<int>(area.width() / (metrics.horizontalAdvance("0000 s") * 1.6))));
    for (const double s : plot::ticks(0, lengthSeconds_, xStep)) {
        const QString label = QString("%1 s").arg(s, 0, 'g', 4);
        const double w = metrics.horizontalAdvance(label);
        painter.drawLine(QPointF(x(s), area.bottom()), QPointF(x(s), area.bottom() + 3));
        painter.drawText(
            QPointF(std::clamp(x(s) - w / 2, 0.0, width() - w), area.bottom() + metrics.ascent() + 4), label);
    }
    QFont small = font();
    small.setItalic(true);
    painter.setFont(small);
    painter.setPen(palette().placeholderText().color());
    painter.drawText(area.adjusted(6, 2, -6, -2), Qt::AlignTop | Qt::AlignLeft, "behind the beat (late)");
    painter.drawText(area.adjusted(6, 2, -6, -2), Qt::AlignBottom | Qt::AlignLeft,
                     "ahead of the beat (early)");
    painter.setPen(palette().mid().color());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);

    // The notes; a dot grows with the plot but stays small against the spacing of the notes.
    const double radius = std::clamp(std::min(area.width(), area.height()) / 120.0, 1.5, 4.0);
    painter.setPen(Qt::NoPen);
    for (const OffsetPoint& p : points_) {
        painter.setBrush(plot::offsetColor(p.offsetMs));
        painter.drawEllipse(QPointF(x(p.seconds), y(std::clamp(p.offsetMs, -rangeMs_, rangeMs_))), radius,
                            radius);
    }
}

} // namespace tamboro
