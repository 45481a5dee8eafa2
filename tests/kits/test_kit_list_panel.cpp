#include "kits/KitListPanel.h"

#include <gtest/gtest.h>

using tamboro::KitListDrag;

TEST(KitListPanel, LabelsStandSixteenPixelsApart) {
    EXPECT_EQ(tamboro::kitListLabelTop(0), 4);
    EXPECT_EQ(tamboro::kitListLabelTop(15), 244); // the 16th label of a 17-item kit
    EXPECT_EQ(tamboro::kitListLabelCount(17), 16);
    EXPECT_EQ(tamboro::kitListLabelCount(1), 0);
    EXPECT_EQ(tamboro::kitListLabelCount(0), 0);
}

TEST(KitListPanel, ReleaseSnapsIntoTheBand) {
    const int L = 100;
    struct Case {
        int dropped, expected;
    };
    const Case cases[] = {{L + 421, L + 421}, {L + 420, L + 420}, {L + 419, L + 427}, {L + 300, L + 427},
                          {L + 508, L + 508}, {L + 509, L + 508}, {L + 520, L + 508}, {L + 450, L + 450}};
    for (const auto& c : cases) {
        KitListDrag drag;
        drag.leftPress(10);
        EXPECT_EQ(drag.release(true, L, c.dropped), c.expected) << c.dropped - L;
        EXPECT_FALSE(drag.dragging());
    }
}

TEST(KitListPanel, DragFollowsTheMouseInsideTheBandOnly) {
    const int L = 0;
    KitListDrag drag;
    EXPECT_EQ(drag.move(50, L, 508), 508); // no press, no drag
    drag.leftPress(20);
    int p = 508;
    struct Step {
        int mouseX, expected;
    };
    // Each move is measured in the window's own pixels, as it stands after the last move.
    const Step steps[] = {{10, 498}, {0, 478}, {-70, 388}, {40, 388}, {10, 388}};
    for (const auto& s : steps) {
        p = drag.move(s.mouseX, L, p);
        EXPECT_EQ(p, s.expected) << s.mouseX;
    }
    EXPECT_FALSE(drag.following());
    // The release snaps it back and the next drag follows again.
    p = drag.release(true, L, p);
    EXPECT_EQ(p, 427);
    EXPECT_TRUE(drag.following());
    drag.leftPress(5);
    EXPECT_EQ(drag.move(25, L, p), 447);
    // A right-button release keeps the left drag going.
    drag.release(false, L, 447);
    EXPECT_TRUE(drag.dragging());
}
