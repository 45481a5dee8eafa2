#include "kits/KitListPanel.h"

namespace tamboro {

void KitListDrag::leftPress(int mouseX) {
    pressX_ = mouseX;
    dragging_ = true;
}

int KitListDrag::move(int mouseX, int mainLeft, int panelLeft) {
    if (!dragging_ || !following_)
        return panelLeft;
    if (panelLeft < mainLeft + kBandLeft || panelLeft > mainLeft + kBandRight) {
        following_ = false;
        return panelLeft;
    }
    return panelLeft - pressX_ + mouseX;
}

int KitListDrag::release(bool leftButton, int mainLeft, int panelLeft) {
    int left = panelLeft;
    if (left > mainLeft + kBandRight)
        left = mainLeft + kBandRight;
    if (left < mainLeft + kSnapBelow)
        left = mainLeft + kSnapTo;
    following_ = true;
    if (leftButton)
        dragging_ = false;
    return left;
}

} // namespace tamboro
