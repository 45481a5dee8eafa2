#include "controls/KnobDrawing.h"

#include "common/Rounding.h"

#include <cmath>
#include <numbers>

namespace tamboro {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

int channelBlend(int a, int p, int b, int q) {
    return static_cast<int>(roundHalfEven(static_cast<double>(a * p + b * q) / (p + q)));
}

int scaled(double fraction, int size) {
    return static_cast<int>(roundHalfEven(fraction * size));
}

// A rectangle given by its two corners, as the drawing steps name them.
PixelRect corners(int left, int top, int right, int bottom) {
    return {left, top, right - left, bottom - top};
}

double rayDegrees(PixelRect rect, PixelPoint towards) {
    const double cx = rect.left + rect.width / 2.0;
    const double cy = rect.top + rect.height / 2.0;
    // Screen y grows downwards; angles grow counter-clockwise.
    return std::atan2(cy - towards.y, towards.x - cx) * 180.0 / std::numbers::pi;
}

} // namespace

Rgb blendColours(Rgb a, int p, Rgb b, int q) {
    return {channelBlend(a.red, p, b.red, q), channelBlend(a.green, p, b.green, q),
            channelBlend(a.blue, p, b.blue, q)};
}

KnobStroke arcBetweenRays(PixelRect rect, PixelPoint from, PixelPoint to, Rgb pen) {
    KnobStroke s;
    s.kind = KnobStroke::Kind::Arc;
    s.rect = rect;
    s.pen = pen;
    s.startDegrees = rayDegrees(rect, from);
    double span = rayDegrees(rect, to) - s.startDegrees;
    while (span <= 0)
        span += 360.0;
    while (span > 360.0)
        span -= 360.0;
    s.spanDegrees = span;
    return s;
}

double knobIndicatorAngle(double value, double minValue, double maxValue) {
    const double f = (value - minValue) / (maxValue - minValue);
    return 5.283185307179586 * f + 0.5;
}

std::vector<KnobStroke> knobStrokes(const KnobLook& look) {
    const int d = look.diameter;
    const int w = d, h = d;
    std::vector<KnobStroke> out;

    KnobStroke background;
    background.kind = KnobStroke::Kind::FillRect;
    background.rect = {0, 0, d, d};
    background.fill = look.background;
    out.push_back(background);

    KnobStroke disc;
    disc.kind = KnobStroke::Kind::Ellipse;
    disc.rect = corners(0, 0, d, d);
    disc.pen = kBlack;
    disc.filled = true;
    disc.fill = look.knob;
    out.push_back(disc);

    // Outer shadow, falling to the lower right of the disc.
    const PixelRect shadowRect = corners(0, -1, d + 1, d + 1);
    out.push_back(arcBetweenRays(shadowRect, {scaled(0.4, w), h + 1}, {w + 1, scaled(0.4, h)},
                                 blendColours(kBlack, 1, look.background, 2)));
    out.push_back(arcBetweenRays(shadowRect, {scaled(0.9, w), h + 1}, {w + 1, scaled(0.9, h)},
                                 blendColours(kBlack, 2, look.background, 2)));

    KnobStroke ring;
    ring.kind = KnobStroke::Kind::Ellipse;
    ring.rect = corners(1, 1, d - 1, d - 1);
    ring.pen = blendColours(kBlack, 1, look.knob, 3);
    out.push_back(ring);
    ring.rect = corners(2, 2, d - 2, d - 2);
    ring.pen = look.knob;
    out.push_back(ring);

    // Highlights to the upper left, shades to the lower right.
    const PixelRect face = corners(2, 2, d - 2, d - 2);
    out.push_back(arcBetweenRays(face, {scaled(0.7, w), -1}, {-1, scaled(0.7, h)},
                                 blendColours(kWhite, 1, look.knob, 2)));
    out.push_back(arcBetweenRays(face, {scaled(0.4, w), -1}, {-1, scaled(0.4, h)},
                                 blendColours(kWhite, 2, look.knob, 1)));
    out.push_back(arcBetweenRays(face, {scaled(0.2, w), -1}, {-1, scaled(0.2, h)}, kWhite));
    out.push_back(arcBetweenRays(face, {scaled(0.5, w), h + 1}, {w + 1, scaled(0.5, h)},
                                 blendColours(kBlack, 1, look.knob, 2)));
    out.push_back(arcBetweenRays(face, {scaled(0.8, w), h + 1}, {w + 1, scaled(0.8, h)},
                                 blendColours(kBlack, 2, look.knob, 1)));

    if (look.minValue != look.maxValue) {
        const double a = knobIndicatorAngle(look.value, look.minValue, look.maxValue);
        KnobStroke line;
        line.kind = KnobStroke::Kind::Line;
        line.pen = look.indicator;
        line.penWidth = 2;
        line.x1 = std::cos(a) * d / 6 + d / 2.0;
        line.y1 = d / 2.0 - std::sin(a) * d / 6;
        line.x2 = std::cos(a) * d / 2.7 + d / 2.0;
        line.y2 = d / 2.0 - std::sin(a) * d / 2.7;
        out.push_back(line);
    }
    return out;
}

} // namespace tamboro
