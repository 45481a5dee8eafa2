#include "windows/feedback/ProgressPlot.h"

#include "windows/feedback/PlotFrame.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tamboro {

ProgressPlot::ProgressPlot(Figure figure, QWidget* parent) : QWidget(parent), figure_(figure) {
    setObjectName(figure == Figure::Mean ? "meanProgressPlot" : "steadinessProgressPlot");
    setMinimumSize(240, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ProgressPlot::setSongs(std::vector<SongProgress> songs) {
    songs_ = std::move(songs);
    update();
}

QColor ProgressPlot::songColor(std::size_t index) {
    static const QColor colors[] = {QColor(31, 119, 180),  QColor(214, 39, 40),  QColor(44, 160, 44),
                                    QColor(148, 103, 189), QColor(255, 127, 14), QColor(23, 190, 207),
                                    QColor(140, 86, 75),   QColor(227, 119, 194)};
    return colors[index % std::size(colors)];
}

void ProgressPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const bool mean = figure_ == Figure::Mean;
    double firstDay = std::numeric_limits<double>::max(), lastDay = std::numeric_limits<double>::lowest();
    double low = mean ? -10 : 0, high = 10;
    for (const SongProgress& song : songs_)
        for (const DayProgress& day : song.days) {
            firstDay = std::min(firstDay, static_cast<double>(day.dayStart));
            lastDay = std::max(lastDay, static_cast<double>(day.dayStart));
            const double v = mean ? day.meanMs : day.sdMs;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    if (mean) // symmetric, so the beat line sits in the middle
        high = std::max(std::fabs(low), high), low = -high;
    const double step = plot::niceStep(high - low, 5);
    low = std::floor(low / step) * step;
    high = std::ceil(high / step) * step;
    const QFontMetrics metrics = fontMetrics();
    QRectF area = plot::plotArea(rect(), metrics, QString("-%1 ms").arg(high, 0, 'f', 0));
    area.setTop(area.top() + metrics.height());
    const double oneDay = 86400;
    if (firstDay > lastDay)
        firstDay = lastDay = static_cast<double>(QDateTime::currentSecsSinceEpoch());
    const double from = firstDay - oneDay / 2, to = lastDay + oneDay / 2;
    auto x = [&](double t) { return area.left() + (t - from) / (to - from) * area.width(); };
    auto y = [&](double v) { return area.bottom() - (v - low) / (high - low) * area.height(); };

    painter.setPen(palette().text().color());
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QRectF(area.left(), 0, area.width(), metrics.height() * 1.6),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     mean ? "Mean offset per day (above: dragging, below: rushing)"
                          : "Steadiness per day: standard deviation (lower is steadier)");
    painter.setFont(font());
    if (mean) {
        painter.fillRect(QRectF(area.left(), y(std::min(high, 10.0)), area.width(),
                                y(std::max(low, -10.0)) - y(std::min(high, 10.0))),
                         plot::kBand10);
        painter.drawLine(QPointF(area.left(), y(0)), QPointF(area.right(), y(0)));
    }
    for (const double v : plot::ticks(low, high, step)) {
        painter.setPen(palette().midlight().color());
        painter.drawLine(QPointF(area.left(), y(v)), QPointF(area.right(), y(v)));
        painter.setPen(palette().text().color());
        painter.drawText(QRectF(0, y(v) - metrics.height() / 2.0,
                                area.left() - metrics.averageCharWidth() / 2.0, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString("%1%2 ms").arg(mean && v > 0 ? "+" : "").arg(v, 0, 'f', step < 1 ? 1 : 0));
    }
    const double days = (to - from) / oneDay;
    const double dayStep = std::max(
        1.0, std::ceil(plot::niceStep(
                 days, std::max(2, static_cast<int>(area.width() /
                                                    (metrics.horizontalAdvance("0000-00-00") * 1.4))))));
    for (double d = 0; firstDay + d * oneDay <= lastDay + 1; d += dayStep) {
        const double t = firstDay + d * oneDay;
        const QString label = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t)).toString("MMM d");
        const double w = metrics.horizontalAdvance(label);
        painter.drawLine(QPointF(x(t), area.bottom()), QPointF(x(t), area.bottom() + 3));
        painter.drawText(
            QPointF(std::clamp(x(t) - w / 2, 0.0, width() - w), area.bottom() + metrics.ascent() + 4), label);
    }
    painter.setPen(palette().mid().color());
    painter.drawRect(area);

    const double radius = std::clamp(std::min(area.width(), area.height()) / 80.0, 2.5, 5.0);
    for (std::size_t i = 0; i < songs_.size(); ++i) {
        QPainterPath line;
        for (const DayProgress& day : songs_[i].days) {
            const QPointF at(x(static_cast<double>(day.dayStart)), y(mean ? day.meanMs : day.sdMs));
            if (line.elementCount() == 0)
                line.moveTo(at);
            else
                line.lineTo(at);
        }
        painter.setPen(QPen(songColor(i), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(line);
        painter.setPen(Qt::NoPen);
        painter.setBrush(songColor(i));
        for (int e = 0; e < line.elementCount(); ++e)
            painter.drawEllipse(QPointF(line.elementAt(e).x, line.elementAt(e).y), radius, radius);
    }
}

} // namespace tamboro
