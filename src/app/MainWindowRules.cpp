#include "app/MainWindowRules.h"

#include "sound/Tempo.h"

namespace tamboro {

ResizeOutcome resizeOutcome(int windowHeight, int gridTop) {
    const int height = windowHeight < kMinimumWindowHeight ? kMinimumWindowHeight : windowHeight;
    return {height, height - gridTop - 40};
}

std::optional<std::string> clampedTempoNotice(const std::string& fileLabel, int storedBpm) {
    const int shown = boundedBpm(storedBpm);
    if (shown == storedBpm)
        return std::nullopt;
    return "Pattern file \"" + fileLabel + "\" stores a tempo of " + std::to_string(storedBpm) +
           " BPM; the BPM box plays it at " + std::to_string(shown) + " BPM (tempos run from " +
           std::to_string(kMinimumBpm) + " to " + std::to_string(kMaximumBpm) +
           "). The file keeps its tempo until you save the pattern.";
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
        m.kitList = PixelPoint{kitList->x + dx, kitList->y + dy};
    if (extraSamples)
        m.extraSamples = PixelPoint{extraSamples->x + dx, extraSamples->y + dy};
    return m;
}

void BackgroundDrag::release(bool leftButton) {
    if (leftButton)
        dragging_ = false;
}

} // namespace tamboro
