#pragma once
// The main window's outline and the round regions of its picture buttons and knobs. Everything
// outside these shapes is cut away from the screen.

#include "common/PixelGeometry.h"

#include <array>

namespace tamboro {

inline constexpr int kMainClientWidth = 539;
inline constexpr int kMainClientHeight = 501;
inline constexpr int kOutlineBottomAtCreation = 500;
inline constexpr int kOutlineBottomAtPaint = 499;

// The 16-point outline (filled with the alternate rule) with its bottom edge at `bottomY`.
std::array<PixelPoint, 16> mainWindowOutline(int bottomY);

// A 37 x 37 picture button is clipped to the circle inscribed in its square (5,5)-(33,33).
PixelRect pictureButtonCircle();

// A knob is clipped to the circle inscribed in the square (0,0)-(width,width).
PixelRect knobCircle(int width);

} // namespace tamboro
