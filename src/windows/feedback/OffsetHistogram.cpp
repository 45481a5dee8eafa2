#include "windows/feedback/OffsetHistogram.h"

#include "windows/feedback/PlotFrame.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tamboro {

OffsetHistogram::OffsetHistogram(QWidget* parent) : QWidget(parent) {
    setObjectName("offsetHistogram");
    setMinimumSize(200, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void OffsetHistogram::setOffsets(const std::vector<double>& offsetsMs, double rangeMs) {
    rangeMs_ = rangeMs;
    const int count = static_cast<int>(std::ceil(2 * rangeMs / kBinMs));
    bins_.assign(static_cast<std::size_t>(count), 0);
    for (const double ms : offsetsMs) {
        const int bin = static_cast<int>(std::floor((ms + rangeMs) / kBinMs));
        ++bins_[static_cast<std::size_t>(std::clamp(bin, 0, count - 1))];
    }
    update();
}

void OffsetHistogram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = fontMetrics();
    const int highest = bins_.empty() ? 0 : *std::max_element(bins_.begin(), bins_.end());
    const double top = std::max(1.0, std::ceil(highest * 1.1));
    const QRectF area = plot::plotArea(rect(), metrics, QString::number(top, 'f', 0) + " notes");
    auto x = [&](double ms) { return area.left() + (ms + rangeMs_) / (2 * rangeMs_) * area.width(); };
    auto y = [&](double n) { return area.bottom() - n / top * area.height(); };

    painter.fillRect(QRectF(x(-25), area.top(), x(25) - x(-25), area.height()), plot::kBand25);
    painter.fillRect(QRectF(x(-10), area.top(), x(10) - x(-10), area.height()), plot::kBand10);
    painter.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < bins_.size(); ++i) {
        if (bins_[i] == 0)
            continue;
        const double from = -rangeMs_ + static_cast<double>(i) * kBinMs;
        painter.setBrush(plot::offsetColor(from + kBinMs / 2));
        painter.drawRect(
            QRectF(QPointF(x(from) + 0.5, y(bins_[i])), QPointF(x(from + kBinMs) - 0.5, area.bottom())));
    }
    painter.setPen(QPen(palette().text().color(), 1.2));
    painter.drawLine(QPointF(x(0), area.top()), QPointF(x(0), area.bottom()));
    painter.setPen(palette().text().color());
    const double yStep =
        plot::niceStep(top, std::max(1, static_cast<int>(area.height() / (metrics.height() * 1.8))));
    for (const double n : plot::ticks(0, top, std::max(1.0, std::round(yStep))))
        painter.drawText(QRectF(0, y(n) - metrics.height() / 2.0,
                                area.left() - metrics.averageCharWidth() / 2.0, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(n, 'f', 0));
    const double xStep = plot::niceStep(
        2 * rangeMs_,
        std::max(2, static_cast<int>(area.width() / (metrics.horizontalAdvance("+00 ms") * 1.5))));
    for (const double ms : plot::ticks(-rangeMs_, rangeMs_, xStep)) {
        const QString label = QString("%1%2 ms").arg(ms > 0 ? "+" : "").arg(ms, 0, 'f', 0);
        const double w = metrics.horizontalAdvance(label);
        painter.drawLine(QPointF(x(ms), area.bottom()), QPointF(x(ms), area.bottom() + 3));
        painter.drawText(
            QPointF(std::clamp(x(ms) - w / 2, 0.0, width() - w), area.bottom() + metrics.ascent() + 4),
            label);
    }
    QFont small = font();
    small.setItalic(true);
    painter.setFont(small);
    painter.setPen(palette().placeholderText().color());
    painter.drawText(area.adjusted(6, 2, -6, -2), Qt::AlignTop | Qt::AlignLeft, "early");
    painter.drawText(area.adjusted(6, 2, -6, -2), Qt::AlignTop | Qt::AlignRight, "late");
    painter.setPen(palette().mid().color());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
}

} // namespace tamboro
