#pragma once
// SidePanelWindow: what the Kit List and Extra samples panels share as side panels of the main
// window. A frameless window standing beside the main window (placed by the side-window rule, clear
// of its controls), dragged sideways by its background within the band of its PanelDrag and snapped
// back on release; the band is measured from the place the panel was given.
// Both are shaped alike: a rounded outline, a client area below the cut-away title bar and a skin
// picture filling it, which is also the drag handle.

#include "common/PixelGeometry.h"
#include "controls/SideWindowPlacement.h"
#include "kits/PanelDrag.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

class QLabel;
class QRegion;

namespace tamboro {

// The frame of a side panel: its names, size, outline and background picture.
struct SidePanelFrame {
    const char* objectName;
    const char* title;
    int width, height;
    PixelRect outline;
    int outlineCorner;
    int clientLeft, clientTop; // the client area; as wide a margin on the right and at the bottom
    const char* background;    // the skin picture
};

class SidePanelWindow : public QWidget {
    Q_OBJECT
public:
    // `mainWindow` is the window the panel stands beside, `wish` the sides it prefers; `drag` the
    // panel's sideways drag rules, whose band is measured as if the panel's place were `dragHome`
    // pixels from the main window's left edge. `frame` sets its size, outline, client area and
    // background picture.
    SidePanelWindow(QWidget* mainWindow, const SideWindowWish& wish, int dragHome, PanelDrag drag,
                    const SidePanelFrame& frame, QWidget* parent);

    // The region of a rounded rectangle as the window system cuts it: `rect` with corner ellipses
    // of `corner` x `corner` pixels. The panels' outlines and the sample buttons are cut so.
    static QRegion roundedRegion(const PixelRect& rect, int corner);

    // Moves the panel to its place beside the main window, and measures its drag from there.
    void placeBesideMainWindow();

    QWidget* clientArea;       // the client area, below the cut-away title bar
    QLabel* backgroundPicture; // the background picture, the drag handle

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Where the drag band's rules put the main window's left edge: the panel stands at its drag
    // home from there. The panel's own left edge when it stands alone.
    int bandOrigin() const;

    QPointer<QWidget> mainWindow_;
    SideWindowWish wish_;
    int dragHome_;
    // The panel's place from the main window's left edge, as last placed.
    int placedOffset_;
    PanelDrag drag_;
};

} // namespace tamboro
