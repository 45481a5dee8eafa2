// The Extra samples window's geometry and its sideways drag with the snaps back beside the main
// window.

#include "kits/ExtraSamplesPanel.h"

#include <gtest/gtest.h>

namespace tamboro {
namespace {

TEST(ExtraSamplesPanel, ButtonsStandInGroupsOfFour) {
    struct Case {
        int n, top;
    } cases[] = {{1, 0}, {2, 25}, {4, 75}, {5, 106}, {8, 181}, {9, 212}, {31, 792}, {32, 817}};
    for (const Case& c : cases) {
        EXPECT_EQ(sampleButtonTop(c.n), c.top) << c.n;
        EXPECT_EQ(sampleNumberTop(c.n), c.top + 6) << c.n;
    }
    for (int g = 0; g < 8; ++g)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(sampleButtonTop(4 * g + i + 1), 106 * g + 25 * i);
    EXPECT_EQ(sampleButtonsHeight(), 842);
}

struct DragStep {
    enum Kind { Press, Move, Release } kind;
    int screenX;      // where the mouse is on the screen, for Press and Move
    bool left = true; // which button for Release
    int expectedLeft; // the window's left edge afterwards
};

// Drives a drag as the window system reports it: mouse positions relative to the window as it
// stands at that moment.
void runDrag(int mainLeft, int panelLeft, std::initializer_list<DragStep> steps) {
    SidewaysDrag drag;
    int p = panelLeft;
    int i = 0;
    for (const DragStep& s : steps) {
        switch (s.kind) {
        case DragStep::Press:
            drag.leftPress(s.screenX - p);
            break;
        case DragStep::Move:
            p = drag.move(s.screenX - p, mainLeft, p);
            break;
        case DragStep::Release:
            p = drag.release(s.left, mainLeft, p);
            break;
        }
        EXPECT_EQ(p, s.expectedLeft) << "step " << i;
        ++i;
    }
}

TEST(ExtraSamplesPanel, DragFollowsTheMouseInsideTheBand) {
    const int L = 500;
    runDrag(L, L - 92,
            {{DragStep::Press, 448, true, L - 92},
             {DragStep::Move, 458, true, L - 82},
             {DragStep::Move, 448, true, L - 92},
             {DragStep::Move, 443, true, L - 97},    // leaves the band
             {DragStep::Move, 520, true, L - 97},    // no longer followed
             {DragStep::Release, 0, true, L - 94}}); // snaps to L - 94
}

TEST(ExtraSamplesPanel, ReleaseSnapsBackBesideTheMainWindow) {
    const int L = 300;
    struct Case {
        int dropped, snapped;
    } cases[] = {{L - 100, L - 94}, {L - 95, L - 94}, {L - 94, L - 94}, {L - 50, L - 50},
                 {L - 1, L - 1},    {L, L},           {L + 3, L},       {L + 200, L}};
    for (const Case& c : cases) {
        SidewaysDrag drag;
        drag.leftPress(10);
        EXPECT_EQ(drag.release(true, L, c.dropped), c.snapped) << c.dropped - L;
        EXPECT_FALSE(drag.dragging());
    }
}

TEST(ExtraSamplesPanel, FollowingResumesForTheNextDrag) {
    const int L = 0;
    runDrag(L, -10,
            {{DragStep::Press, 10, true, -10},
             {DragStep::Move, 30, true, 10},   // out past L in one move
             {DragStep::Move, 20, true, 10},   // not followed
             {DragStep::Release, 0, false, 0}, // another button: snaps, the drag goes on
             {DragStep::Move, 15, true, -5},   // followed again
             {DragStep::Release, 0, true, -5},
             {DragStep::Move, 40, true, -5}}); // no drag: nothing moves
}

} // namespace
} // namespace tamboro
