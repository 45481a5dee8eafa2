#pragma once
// What the feedback and progress plots share: tick steps that read well (1, 2, 2.5, 5 times a
// power of ten), the colour of an offset by how close it lands, and a plot area inset by the
// widget's own font so labels stay readable at every size and zoom.

#include <QColor>
#include <QFontMetrics>
#include <QRectF>

#include <vector>

namespace tamboro::plot {

// A tick step for `span` with at most about `maxTicks` ticks.
double niceStep(double span, int maxTicks);
// Multiples of `step` from `low` to `high` inclusive.
std::vector<double> ticks(double low, double high, double step);

// Within 10 ms, within 25 ms, beyond.
QColor offsetColor(double offsetMs);
inline const QColor kBand10(120, 200, 120, 90);
inline const QColor kBand25(230, 200, 90, 70);

// `outer` less room for the y labels on the left and one line of x labels below.
QRectF plotArea(const QRectF& outer, const QFontMetrics& metrics, const QString& widestYLabel);

} // namespace tamboro::plot
