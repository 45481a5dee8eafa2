#pragma once
// The Kit List window's geometry and its sideways drag, kept apart from any widget: where the
// window stands beside the main window, its rounded outline, where the instrument labels stand,
// and how a drag follows the mouse and snaps back into its band.

#include "common/PixelGeometry.h"
#include "kits/PanelDrag.h"

namespace tamboro {

// The window, title bar included; the outline cuts the title bar (above y = 22) away.
inline constexpr int kKitListWindowWidth = 127;
inline constexpr int kKitListWindowHeight = 371;
// The rounded rectangle from (0, 22) to (110, 343), corner ellipses 20 x 20, window coordinates.
inline constexpr PixelRect kKitListOutline{0, 22, 110, 321};
inline constexpr int kKitListOutlineCorner = 20;
// Where the client area starts inside the window (below the title bar and frame).
inline constexpr int kKitListClientLeft = 3;
inline constexpr int kKitListClientTop = 22;
// The panel holding the label box, in client pixels.
inline constexpr PixelRect kKitListPanel{8, 8, 77, 301};
inline constexpr int kKitListScrollBarWidth = 8;

// The window's home from the main window's top-left corner: its top stands this far below the main
// window's when the side it takes has room, and its drag band (below) is measured from the left
// offset as if the window stood there (it is placed beside the main window, never over it).
inline constexpr int kKitListOffsetFromMainLeft = 508;
inline constexpr int kKitListOffsetFromMainTop = 68;

// Top of instrument label k (from 0; label k stands for kit item k + 1) inside the label box.
inline constexpr int kitListLabelTop(int k) {
    return 16 * k + 4;
}
// The number of labels for a kit of `itemCount` items: one per instrument, none for item 0.
inline constexpr int kitListLabelCount(int itemCount) {
    return itemCount > 1 ? itemCount - 1 : 0;
}

// The sideways drag. With L the main window's left edge and P the window's: the window follows
// the mouse only while L + 414 <= P <= L + 508. The release snaps P above L + 508 back to L + 508,
// and P below L + 420 to L + 427.
class KitListDrag : public PanelDrag {
public:
    static constexpr int kBandLeft = 414;
    static constexpr int kBandRight = 508;
    static constexpr int kSnapBelow = 420;
    static constexpr int kSnapTo = 427;
    KitListDrag() : PanelDrag(DragBand{kBandLeft, kBandRight, kSnapBelow, kSnapTo}) {}
};

} // namespace tamboro
