#pragma once
// Puts the main window's side windows where the placement rule (controls/SideWindowPlacement) says:
// beside the main window on its screen, clear of the main window's controls and of the other
// Tamboro windows standing. Each side window names the sides it prefers.

#include "common/PixelGeometry.h"
#include "controls/SideWindowPlacement.h"

#include <vector>

class QWidget;

namespace tamboro {

// The sides each side window prefers, most wanted first.
// Tips stand above the main window's right end, the sample editor above its left end.
inline constexpr SideWindowWish kTipsWish{{Side::Above, Side::Below, Side::Right, Side::Left}, 0, true};
inline constexpr SideWindowWish kSampleEditorWish{{Side::Above, Side::Below, Side::Left, Side::Right}};
inline constexpr SideWindowWish kPanelWish{{Side::Right, Side::Left, Side::Below, Side::Above}};
// Small windows that come and go (options, progress, MP3, about): below first.
inline constexpr SideWindowWish kDialogWish{{Side::Below, Side::Above, Side::Right, Side::Left}};

// The main window's controls as screen rectangles: every visible widget inside it except those that
// fill it (the background picture).
std::vector<PixelRect> controlRectsOf(const QWidget& mainWindow);

// The rectangle `window` covers on the screen, frame included. A decorated window whose frame the
// window system has not reported (before it is first mapped) is given an ordinary title bar and border.
PixelRect frameRectOf(const QWidget& window);

// Moves `side` to its place beside `mainWindow`.
void placeBeside(QWidget& side, const QWidget& mainWindow, const SideWindowWish& wish);

// Places `side` beside `mainWindow` each time it is shown while hidden (not when it is shown again
// while open, so a window the user moved stays put until closed).
void keepBeside(QWidget& side, const QWidget& mainWindow, const SideWindowWish& wish);

} // namespace tamboro
