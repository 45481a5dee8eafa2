#include "app/MainWindowRules.h"

namespace tamboro {

ResizeOutcome resizeOutcome(int windowHeight, int gridTop) {
    const int height = windowHeight < kMinimumWindowHeight ? kMinimumWindowHeight : windowHeight;
    return {height, height - gridTop - 40};
}

void BackgroundDrag::press(PixelPoint pointer, bool leftButton) {
    origin_ = pointer;
    if (leftButton)
        dragging_ = true;
}

std::optional<BackgroundDrag::Move> BackgroundDrag::move(PixelPoint pointer, PixelPoint mainWindow,
                                                         std::optional<PixelPoint> kitList,
                                                         std::optional<PixelPoint> extraSamples) const {
    if (!dragging_)
        return std::nullopt;
    const int dx = pointer.x - origin_.x;
    const int dy = pointer.y - origin_.y;
    Move m;
    m.mainWindow = {mainWindow.x + dx, mainWindow.y + dy};
    if (kitList)
        m.kitList = PixelPoint{kitList->x + dx, m.mainWindow.y + kKitListDropBelowMain};
    if (extraSamples)
        m.extraSamples = PixelPoint{extraSamples->x + dx, m.mainWindow.y + kExtraSamplesDropBelowMain};
    return m;
}

void BackgroundDrag::release(bool leftButton) {
    if (leftButton)
        dragging_ = false;
}

} // namespace tamboro
