#pragma once
// The sideways drag of the side panels that hang off the main window. With L the main window's
// left edge and P the panel's, the panel follows the mouse only while L + left <= P <= L + right;
// a drag that leaves that band stops following until the button is released. The release snaps a
// P beyond the band's right end back to it, and a P below L + snapBelow to L + snapTo.

namespace tamboro {

struct DragBand {
    int left;
    int right;
    int snapBelow;
    int snapTo;
};

class PanelDrag {
public:
    explicit constexpr PanelDrag(DragBand band) : band_(band) {}

    // A left button press at `mouseX` (client pixels) starts a drag.
    void leftPress(int mouseX);
    // The mouse moved to `mouseX` (client pixels of the panel as it stands now). Returns the new
    // left edge, or `panelLeft` unchanged when not following.
    int move(int mouseX, int mainLeft, int panelLeft);
    // A button was released: returns the snapped left edge. Following resumes for the next drag;
    // the left button ends the drag.
    int release(bool leftButton, int mainLeft, int panelLeft);

    bool dragging() const { return dragging_; }
    bool following() const { return following_; }

private:
    DragBand band_;
    bool dragging_ = false;
    bool following_ = true;
    int pressX_ = 0;
};

} // namespace tamboro
