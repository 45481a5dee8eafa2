#pragma once
// The main window's size rules and the background drag, as arithmetic on positions so they can be
// checked without a window system.

#include "common/PixelGeometry.h"

#include <optional>
#include <string>

namespace tamboro {

inline constexpr int kGridTop = 168;
inline constexpr int kGridHeightAfterPaint = 276;
inline constexpr int kMinimumWindowHeight = 540;

// Every paint sets the grid back to this height, whatever the last resize set.
inline constexpr int gridHeightAfterPaint() {
    return kGridHeightAfterPaint;
}

struct ResizeOutcome {
    int windowHeight; // the window is made at least 540 high
    int gridHeight;   // the window's height minus the grid's top minus 40
};
ResizeOutcome resizeOutcome(int windowHeight, int gridTop = kGridTop);

// The message for a pattern file whose stored tempo lies outside the BPM box's 20..400: it names
// the file, the stored tempo and the tempo the box shows instead. Nothing for a tempo in range.
std::optional<std::string> clampedTempoNotice(const std::string& fileLabel, int storedBpm);

// The background drag of the main window; the Kit List and Extra samples windows move with it,
// keeping their places beside it. Positions are screen positions of top-left corners;
// pointer positions are in main-window coordinates (which do not change while the window follows
// the pointer).
class BackgroundDrag {
public:
    bool dragging() const { return dragging_; }

    // A button went down on the background; only the left button starts a drag.
    void press(PixelPoint pointer, bool leftButton);

    struct Move {
        PixelPoint mainWindow;
        std::optional<PixelPoint> kitList;      // where the Kit List window goes (hidden meanwhile)
        std::optional<PixelPoint> extraSamples; // where the Extra samples window goes (hidden meanwhile)
    };
    // The pointer moved to `pointer`; returns nothing unless a drag is under way. The companions'
    // positions are given only when they exist (their current positions passed in).
    std::optional<Move> move(PixelPoint pointer, PixelPoint mainWindow, std::optional<PixelPoint> kitList,
                             std::optional<PixelPoint> extraSamples) const;

    // A button was released on the background; the left button ends the drag. Either way the
    // companions are shown again.
    void release(bool leftButton);

private:
    bool dragging_ = false;
    PixelPoint origin_;
};

} // namespace tamboro
