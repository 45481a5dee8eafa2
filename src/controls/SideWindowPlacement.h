#pragma once
// Where a side window (Kit List, Extra samples, tips, sample editor, practice panel, ...) opens: beside
// the main window, never over it. Plain arithmetic on screen rectangles so the rule can be checked
// without a window system.
//
// Each side the window may take (in the order the window prefers) is tried at the main window's edge
// and then beyond the side windows already standing there, sliding along the edge from the preferred
// offset. The first place that lies on the screen and touches neither the main window nor another
// side window wins. When the screen is too small for that, the place that covers the least of the
// main window's controls wins (then the least of the other side windows, then the least of the main
// window's background).

#include "common/PixelGeometry.h"

#include <array>
#include <span>

namespace tamboro {

enum class Side { Right, Left, Below, Above };

// What a side window asks for.
struct SideWindowWish {
    std::array<Side, 4> sides; // every side, most wanted first
    // The preferred offset along the side: from the main window's top edge (Left, Right) or left edge
    // (Above, Below); with alignFarEnd, the side window's far edge stands that far inside the main
    // window's bottom or right edge instead.
    int along = 0;
    bool alignFarEnd = false;
};

struct SideWindowRequest {
    PixelRect screen;                    // the screen's available area
    PixelRect mainWindow;                // the main window's frame
    std::span<const PixelRect> controls; // the main window's controls; none given: all of it counts
    std::span<const PixelRect> others;   // side windows already standing
    int width = 0, height = 0;           // the side window's frame size
    SideWindowWish wish;
    int gap = 6; // pixels kept free between windows
};

struct SideWindowPlace {
    PixelPoint topLeft;
    Side side = Side::Right;
    // Area of the main window's controls the window covers: 0 unless the screen is too small.
    long long coveredControls = 0;
    // True when nothing is covered: no control, no other side window, not the main window.
    bool clear = false;
};

SideWindowPlace placeSideWindow(const SideWindowRequest& request);

// The area two rectangles share (0 when they only touch).
long long overlapArea(const PixelRect& a, const PixelRect& b);

// True when `inner` lies wholly inside `outer`.
bool containsRect(const PixelRect& outer, const PixelRect& inner);

} // namespace tamboro
