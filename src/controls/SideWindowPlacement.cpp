#include "controls/SideWindowPlacement.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <vector>

namespace tamboro {

long long overlapArea(const PixelRect& a, const PixelRect& b) {
    const long long w = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const long long h = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

bool containsRect(const PixelRect& outer, const PixelRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

namespace {

int rightOf(const PixelRect& r) {
    return r.left + r.width;
}
int bottomOf(const PixelRect& r) {
    return r.top + r.height;
}

// Moves `pos` so that a window of `size` stays within [low, low + room); a window larger than the
// room keeps its leading edge on screen.
int clampInto(int pos, int size, int low, int room) {
    return std::max(low, std::min(pos, low + room - size));
}

// The positions across the main window's edge: at the edge, then beyond each side window standing
// on that side, nearest first.
std::vector<int> acrossPositions(const SideWindowRequest& r, Side side) {
    const PixelRect& m = r.mainWindow;
    std::vector<int> out;
    switch (side) {
    case Side::Right:
        out.push_back(rightOf(m) + r.gap);
        for (const PixelRect& o : r.others)
            if (o.left >= rightOf(m))
                out.push_back(rightOf(o) + r.gap);
        std::sort(out.begin(), out.end());
        break;
    case Side::Left:
        out.push_back(m.left - r.gap - r.width);
        for (const PixelRect& o : r.others)
            if (rightOf(o) <= m.left)
                out.push_back(o.left - r.gap - r.width);
        std::sort(out.rbegin(), out.rend());
        break;
    case Side::Below:
        out.push_back(bottomOf(m) + r.gap);
        for (const PixelRect& o : r.others)
            if (o.top >= bottomOf(m))
                out.push_back(bottomOf(o) + r.gap);
        std::sort(out.begin(), out.end());
        break;
    case Side::Above:
        out.push_back(m.top - r.gap - r.height);
        for (const PixelRect& o : r.others)
            if (bottomOf(o) <= m.top)
                out.push_back(o.top - r.gap - r.height);
        std::sort(out.rbegin(), out.rend());
        break;
    }
    return out;
}

// The positions along the edge: the preferred one, then the ones that slip past each other side
// window and the screen's ends, nearest to the preferred first.
std::vector<int> alongPositions(const SideWindowRequest& r, bool vertical) {
    const PixelRect& m = r.mainWindow;
    const int size = vertical ? r.height : r.width;
    const int mainStart = vertical ? m.top : m.left;
    const int mainEnd = vertical ? bottomOf(m) : rightOf(m);
    const int preferred = r.wish.alignFarEnd ? mainEnd - r.wish.along - size : mainStart + r.wish.along;
    std::vector<int> out{preferred, mainStart, mainEnd - size};
    for (const PixelRect& o : r.others) {
        out.push_back((vertical ? bottomOf(o) : rightOf(o)) + r.gap);
        out.push_back((vertical ? o.top : o.left) - r.gap - size);
    }
    out.push_back(vertical ? r.screen.top : r.screen.left);
    out.push_back(vertical ? bottomOf(r.screen) - size : rightOf(r.screen) - size);
    std::stable_sort(out.begin(), out.end(),
                     [&](int a, int b) { return std::abs(a - preferred) < std::abs(b - preferred); });
    return out;
}

} // namespace

SideWindowPlace placeSideWindow(const SideWindowRequest& r) {
    const std::span<const PixelRect> mainOnly(&r.mainWindow, 1);
    const std::span<const PixelRect> controls = r.controls.empty() ? mainOnly : r.controls;
    // Ranked by what is covered: controls, other side windows, the main window's background; then
    // by the order tried.
    using Rank = std::tuple<long long, long long, long long, int>;
    std::optional<std::pair<Rank, SideWindowPlace>> best;
    int order = 0;
    for (const Side side : r.wish.sides) {
        const bool vertical = side == Side::Left || side == Side::Right;
        for (const int across : acrossPositions(r, side)) {
            for (const int along : alongPositions(r, vertical)) {
                PixelRect place{vertical ? across : along, vertical ? along : across, r.width, r.height};
                place.left = clampInto(place.left, r.width, r.screen.left, r.screen.width);
                place.top = clampInto(place.top, r.height, r.screen.top, r.screen.height);
                long long coveredControls = 0, coveredOthers = 0;
                for (const PixelRect& c : controls)
                    coveredControls += overlapArea(place, c);
                for (const PixelRect& o : r.others)
                    coveredOthers += overlapArea(place, o);
                const long long coveredMain = overlapArea(place, r.mainWindow);
                const SideWindowPlace found{{place.left, place.top},
                                            side,
                                            coveredControls,
                                            coveredControls + coveredOthers + coveredMain == 0};
                // A window pushed back across the edge by the screen's end is no longer on its
                // side: it is only a fallback.
                const bool onItsSide = (vertical ? place.left : place.top) == across;
                if (found.clear && onItsSide && containsRect(r.screen, place))
                    return found;
                const Rank rank{coveredControls, coveredOthers, coveredMain, order++};
                if (!best || rank < best->first)
                    best.emplace(rank, found);
            }
        }
    }
    return best->second;
}

} // namespace tamboro
