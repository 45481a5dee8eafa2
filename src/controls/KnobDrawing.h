#pragma once
// The knob's picture as a list of strokes: a shaded disc, a ring, highlight and shade arcs, and the
// indicator line whose angle shows the value. Computed here so the geometry and colours can be
// checked without painting; the widget only replays the strokes.

#include "common/PixelGeometry.h"

#include <vector>

namespace tamboro {

struct KnobStroke {
    enum class Kind { FillRect, Ellipse, Arc, Line };
    Kind kind = Kind::Ellipse;
    PixelRect rect; // FillRect, Ellipse, Arc: the bounding rectangle
    Rgb pen;        // outline / line colour
    int penWidth = 1;
    bool filled = false;                   // Ellipse: filled with `fill`
    Rgb fill;                              // FillRect, filled Ellipse
    double startDegrees = 0;               // Arc: counter-clockwise from 3 o'clock
    double spanDegrees = 0;                // Arc: counter-clockwise extent, 0..360
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // Line
};

struct KnobLook {
    int diameter = 0;
    Rgb background{240, 240, 240};
    Rgb knob{128, 128, 128};
    Rgb indicator{255, 255, 255};
    double value = 0;
    double minValue = 0;
    double maxValue = 100;
};

// Each channel (a * p + b * q) / (p + q), rounded to the nearest integer.
Rgb blendColours(Rgb a, int p, Rgb b, int q);

// The counter-clockwise arc on the ellipse `rect` from the ray towards `from` to the ray towards
// `to` (both measured from the rectangle's centre), as a start angle and a positive span in degrees.
KnobStroke arcBetweenRays(PixelRect rect, PixelPoint from, PixelPoint to, Rgb pen);

// Angle of the indicator in radians: 0.5 at the minimum, turning counter-clockwise by 2*pi - 1 to
// the maximum, so the one-radian gap sits at 3 o'clock.
double knobIndicatorAngle(double value, double minValue, double maxValue);

// All strokes of the knob in painting order. The indicator is left out when the range is empty.
std::vector<KnobStroke> knobStrokes(const KnobLook& look);

} // namespace tamboro
