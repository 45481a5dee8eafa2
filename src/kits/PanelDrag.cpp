#include "kits/PanelDrag.h"

namespace tamboro {

void PanelDrag::leftPress(int mouseX) {
    pressX_ = mouseX;
    dragging_ = true;
}

int PanelDrag::move(int mouseX, int mainLeft, int panelLeft) {
    if (!dragging_ || !following_)
        return panelLeft;
    if (panelLeft < mainLeft + band_.left || panelLeft > mainLeft + band_.right) {
        // Once outside the band the panel stays put until the release snaps it back.
        following_ = false;
        return panelLeft;
    }
    return panelLeft - pressX_ + mouseX;
}

int PanelDrag::release(bool leftButton, int mainLeft, int panelLeft) {
    int left = panelLeft;
    if (left > mainLeft + band_.right)
        left = mainLeft + band_.right;
    if (left < mainLeft + band_.snapBelow)
        left = mainLeft + band_.snapTo;
    following_ = true;
    if (leftButton)
        dragging_ = false;
    return left;
}

} // namespace tamboro
