#pragma once
// The Extra samples window's geometry and its sideways drag, kept apart from any widget: where the
// 32 sample buttons and their number labels stand inside the scroll box, the window's rounded
// outline, and how a drag follows the mouse and snaps back beside the main window.

#include "common/PixelGeometry.h"
#include "kits/PanelDrag.h"

#include <array>

namespace tamboro {

inline constexpr int kExtraSampleButtons = 32;

// The window (title bar included; the outline cuts the title bar away).
inline constexpr int kSamplesWindowWidth = 130;
inline constexpr int kSamplesWindowHeight = 365;
// Where the client area starts inside the window: below a 19-pixel title bar and a 3-pixel frame.
inline constexpr int kSamplesClientLeft = 3;
inline constexpr int kSamplesClientTop = 22;
// Everything outside this rounded rectangle (20 x 20 corners) is cut away.
inline constexpr PixelRect kSamplesOutline{4, 23, 118, 321};
inline constexpr int kSamplesOutlineCorner = 20;

// The scroll box that holds the buttons, in client pixels.
inline constexpr PixelRect kSampleScrollBox{16, 24, 96, 281};
inline constexpr int kSampleScrollBarWidth = 10;

// A sample button inside the scroll box; each is clipped to a rounded rectangle with 6 x 6 corners.
inline constexpr int kSampleButtonLeft = 17;
inline constexpr int kSampleButtonWidth = 60;
inline constexpr int kSampleButtonHeight = 25;
inline constexpr PixelRect kSampleButtonOutline{4, 4, 54, 18};
inline constexpr int kSampleButtonOutlineCorner = 6;
inline constexpr int kSampleNumberLeft = 1;

// Top of button n (1..32) inside the scroll box: 25 pixels apart, with 6 more between groups of
// four, so group g (from 0) starts at 106 g.
int sampleButtonTop(int n);
// Top of the number label beside button n.
inline int sampleNumberTop(int n) {
    return sampleButtonTop(n) + 6;
}
// Height of the scroll box's contents: the last button's bottom.
inline int sampleButtonsHeight() {
    return sampleButtonTop(kExtraSampleButtons) + kSampleButtonHeight;
}

// The window's home from the main window's top-left corner: its top stands this far below the main
// window's when the side it takes has room, and its drag band (below) is measured from the left
// offset as if the window stood there (it is placed beside the main window, never over it).
inline constexpr int kSamplesOffsetFromMainLeft = -92;
inline constexpr int kSamplesOffsetFromMainTop = 67;

// The window's drag: only sideways, and only while its left edge P stays within the band from
// L - 94 to L (L the main window's left edge); the release snaps P back into the band.
class SidewaysDrag : public PanelDrag {
public:
    static constexpr int kBandWidth = 94;
    SidewaysDrag() : PanelDrag(DragBand{-kBandWidth, 0, -kBandWidth, -kBandWidth}) {}
};

} // namespace tamboro
