#pragma once
// The about window's outline: everything outside it, the title bar included, is cut away.

#include "common/PixelGeometry.h"

#include <array>

namespace tamboro {

inline constexpr int kAboutWindowWidth = 281;
inline constexpr int kAboutWindowHeight = 259;

// The 16-point outline (alternate fill), in window pixels.
std::array<PixelPoint, 16> aboutWindowOutline();

} // namespace tamboro
