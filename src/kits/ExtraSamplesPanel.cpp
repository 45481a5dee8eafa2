#include "kits/ExtraSamplesPanel.h"

namespace tamboro {

namespace {
constexpr int kButtonPitch = 25;
constexpr int kGroupSize = 4;
constexpr int kGroupGap = 6;
} // namespace

int sampleButtonTop(int n) {
    const int index = n - 1;
    return index * kButtonPitch + (index / kGroupSize) * kGroupGap;
}

void SidewaysDrag::leftPress(int mouseX) {
    pressX_ = mouseX;
    dragging_ = true;
}

int SidewaysDrag::move(int mouseX, int mainLeft, int panelLeft) {
    if (!dragging_ || !following_)
        return panelLeft;
    if (panelLeft < mainLeft - kBandWidth || panelLeft > mainLeft) {
        // Once outside the band the window stays put until the release snaps it back.
        following_ = false;
        return panelLeft;
    }
    return panelLeft - pressX_ + mouseX;
}

int SidewaysDrag::release(bool leftButton, int mainLeft, int panelLeft) {
    if (panelLeft < mainLeft - kBandWidth)
        panelLeft = mainLeft - kBandWidth;
    if (panelLeft > mainLeft - 1)
        panelLeft = mainLeft;
    following_ = true;
    if (leftButton)
        dragging_ = false;
    return panelLeft;
}

} // namespace tamboro
