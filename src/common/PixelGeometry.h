#pragma once
// Integer pixel geometry shared by the window shapes and the control drawings. Plain data, so the
// shapes and drawings can be computed and tested without a window system.

#include <cstddef>
#include <span>

namespace tamboro {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A rectangle by its left, top, width and height. As a region it covers [left, left + width) by
// [top, top + height), the window system's convention for rectangles and inscribed ellipses.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A colour as red, green and blue, 0..255 each.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// True when (x, y) lies inside `polygon` by the alternate (even-odd) rule, as the window system
// fills a polygon region. Test pixel centres (x + 0.5, y + 0.5).
inline bool insideByAlternateRule(std::span<const PixelPoint> polygon, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const double xi = polygon[i].x, yi = polygon[i].y;
        const double xj = polygon[j].x, yj = polygon[j].y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

} // namespace tamboro
