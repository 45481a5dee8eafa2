#pragma once
// The zoom of a skinned window: its controls are laid out in logical pixels at 100 %, and a zoom
// multiplies every place, size, font and mask by one factor. The window system's own scale (the
// device pixel ratio) comes on top, so at 200 % on a 2x screen one logical pixel of the skin covers
// four device pixels, each of them painted, not enlarged.

class QWidget;

namespace tamboro {

// The zoom `window` shows at (1 at 100 %), as the last rezoom set it.
double zoomOf(const QWidget& widget);

// `logical` pixels at 100 % at the zoom of `widget`'s window, rounded.
int zoomed(int logical, const QWidget& widget);

// Moves every control of `window` (its children and the children of plain frames, not the inner
// parts of composite controls nor other windows) from zoom `from` to zoom `to`: place and size,
// font, and mask. A control whose property "zoomPaintsItself" is true keeps its font: it scales its
// own painting. Records `to` as the window's zoom.
void rezoomControls(QWidget& window, double from, double to);

} // namespace tamboro
