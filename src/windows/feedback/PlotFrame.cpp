#include "windows/feedback/PlotFrame.h"

#include <cmath>

namespace tamboro::plot {

double niceStep(double span, int maxTicks) {
    if (!(span > 0) || maxTicks < 1)
        return 1;
    const double raw = span / maxTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (factor * power >= raw)
            return factor * power;
    return 10 * power;
}

std::vector<double> ticks(double low, double high, double step) {
    std::vector<double> result;
    for (double t = std::ceil(low / step - 1e-9) * step; t <= high + step * 1e-9; t += step)
        result.push_back(std::fabs(t) < step * 1e-9 ? 0.0 : t);
    return result;
}

QColor offsetColor(double offsetMs) {
    const double size = std::fabs(offsetMs);
    if (size <= 10)
        return QColor(30, 140, 60);
    if (size <= 25)
        return QColor(205, 135, 0);
    return QColor(200, 40, 40);
}

QRectF plotArea(const QRectF& outer, const QFontMetrics& metrics, const QString& widestYLabel) {
    const double left = metrics.horizontalAdvance(widestYLabel) + metrics.averageCharWidth() * 1.5;
    const double below = metrics.height() * 1.6;
    const double above = metrics.height() * 0.8;
    const double right = metrics.averageCharWidth() * 2;
    return outer.adjusted(left, above, -right, -below);
}

} // namespace tamboro::plot
