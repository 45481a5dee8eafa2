#pragma once
// SidePanelWindow: what the Kit List and Extra samples panels share as side panels of the main
// window. A frameless window standing at a fixed offset from the main window's top-left corner,
// dragged sideways by its background within the band of its PanelDrag and snapped back on release.

#include "kits/PanelDrag.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace tamboro {

class SidePanelWindow : public QWidget {
    Q_OBJECT
public:
    // `mainWindow` is the window the panel stands beside, `offset` its place from the main
    // window's left and top edges; `drag` the panel's sideways drag rules.
    SidePanelWindow(QWidget* mainWindow, QPoint offset, PanelDrag drag, QWidget* parent);

    // Moves the panel to its place beside the main window.
    void placeBesideMainWindow();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The main window's left edge; the panel's own when it stands alone.
    int mainLeft() const;

    QPointer<QWidget> mainWindow_;
    QPoint offset_;
    PanelDrag drag_;
};

} // namespace tamboro
