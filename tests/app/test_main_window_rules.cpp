#include "app/MainWindowRules.h"
#include "app/MainWindowShape.h"
#include "app/OpenableFiles.h"

#include <gtest/gtest.h>

namespace tamboro {
namespace {

TEST(MainWindowShape, OutlineHasTheSixteenPointsWithTheGivenBottom) {
    for (int bottom : {kOutlineBottomAtCreation, kOutlineBottomAtPaint}) {
        const auto outline = mainWindowOutline(bottom);
        EXPECT_EQ(outline[0], (PixelPoint{128, 0}));
        EXPECT_EQ(outline[2], (PixelPoint{540, 80}));
        EXPECT_EQ(outline[8], (PixelPoint{412, bottom}));
        EXPECT_EQ(outline[9], (PixelPoint{128, bottom}));
        EXPECT_EQ(outline[15], (PixelPoint{0, 80}));
    }
}

TEST(MainWindowShape, RegionKeepsThePanelAndCutsTheCornersAndTabs) {
    const auto outline = mainWindowOutline(kOutlineBottomAtPaint);
    struct Case {
        int x, y;
        bool inside;
    };
    for (const Case& c : {Case{270, 250, true},  // middle of the grid
                          Case{130, 2, true},    // top edge, just inside the bevel
                          Case{5, 5, false},     // cut top-left corner
                          Case{530, 5, false},   // cut top-right corner
                          Case{5, 85, true},     // left tab
                          Case{5, 200, false},   // beside the side rail
                          Case{30, 200, true},   // the side rail
                          Case{535, 415, true},  // right lower tab
                          Case{270, 498, true},  // last row kept at paint
                          Case{270, 499, false}, // cut at paint
                          Case{5, 495, false}}) {
        EXPECT_EQ(insideByAlternateRule(outline, c.x + 0.5, c.y + 0.5), c.inside) << c.x << "," << c.y;
    }
    EXPECT_TRUE(insideByAlternateRule(mainWindowOutline(kOutlineBottomAtCreation), 270.5, 499.5));
}

TEST(MainWindowShape, ButtonAndKnobCircles) {
    EXPECT_EQ(pictureButtonCircle(), (PixelRect{5, 5, 28, 28}));
    EXPECT_EQ(knobCircle(45), (PixelRect{0, 0, 45, 45}));
    EXPECT_EQ(knobCircle(29), (PixelRect{0, 0, 29, 29}));
}

TEST(MainWindowRules, ResizeKeepsTheWindowAtLeast540AndFitsTheGrid) {
    struct Case {
        int height, windowHeight, gridHeight;
    };
    for (const Case& c :
         {Case{501, 540, 332}, Case{100, 540, 332}, Case{540, 540, 332}, Case{700, 700, 492}}) {
        const ResizeOutcome r = resizeOutcome(c.height);
        EXPECT_EQ(r.windowHeight, c.windowHeight);
        EXPECT_EQ(r.gridHeight, c.gridHeight);
    }
    EXPECT_EQ(gridHeightAfterPaint(), 276);
}

TEST(BackgroundDrag, MovesTheMainWindowAndTheCompanionsAlike) {
    BackgroundDrag drag;
    drag.press({200, 20}, true);
    ASSERT_TRUE(drag.dragging());
    const auto m = drag.move({230, 5}, {100, 100}, PixelPoint{608, 168}, PixelPoint{700, 400});
    ASSERT_TRUE(m);
    EXPECT_EQ(m->mainWindow, (PixelPoint{130, 85}));
    EXPECT_EQ(m->kitList, (PixelPoint{638, 153}));
    // Each companion keeps its place beside the main window, wherever the placement put it.
    EXPECT_EQ(m->extraSamples, (PixelPoint{730, 385}));
    drag.release(true);
    EXPECT_FALSE(drag.dragging());
    EXPECT_FALSE(drag.move({0, 0}, {100, 100}, std::nullopt, std::nullopt));
}

TEST(BackgroundDrag, OnlyTheLeftButtonDragsAndMissingCompanionsAreSkipped) {
    BackgroundDrag drag;
    drag.press({10, 10}, false);
    EXPECT_FALSE(drag.dragging());
    EXPECT_FALSE(drag.move({50, 50}, {0, 0}, std::nullopt, std::nullopt));
    drag.press({10, 10}, true);
    const auto m = drag.move({15, 12}, {0, 0}, std::nullopt, std::nullopt);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->mainWindow, (PixelPoint{5, 2}));
    EXPECT_FALSE(m->kitList);
    EXPECT_FALSE(m->extraSamples);
    drag.release(false); // the right button does not end a left-button drag
    EXPECT_TRUE(drag.dragging());
}

TEST(OpenableFiles, KindsFollowTheExtensionInAnyCase) {
    const std::pair<const char*, OpenableKind> table[] = {
        {"/a/Gig.sng", OpenableKind::Song}, {"Rock.PAT", OpenableKind::Pattern},
        {"k/Top.Dxg", OpenableKind::Kit},   {"hit.WAV", OpenableKind::Wave},
        {"sng", OpenableKind::Other},       {"a.sng.txt", OpenableKind::Other},
        {"", OpenableKind::Other},
    };
    for (const auto& [file, kind] : table)
        EXPECT_EQ(openableKindOf(file), kind) << file;
}

TEST(RecentSongs, NewestFirstEachOnceAtMostEight) {
    std::vector<std::string> recent;
    for (int i = 1; i <= 10; ++i)
        recent = recentSongsAfterUse(recent, "s" + std::to_string(i));
    EXPECT_EQ(recent, (std::vector<std::string>{"s10", "s9", "s8", "s7", "s6", "s5", "s4", "s3"}));
    recent = recentSongsAfterUse(recent, "s5");
    EXPECT_EQ(recent, (std::vector<std::string>{"s5", "s10", "s9", "s8", "s7", "s6", "s4", "s3"}));
    recent = recentSongsWithout(recent, "s9");
    EXPECT_EQ(recent, (std::vector<std::string>{"s5", "s10", "s8", "s7", "s6", "s4", "s3"}));
    EXPECT_EQ(recentSongsWithout(recent, "absent"), recent);
}

TEST(ClampedTempoNotice, NamesTheFileAndTheTempoShownOnlyOutsideTheRange) {
    const std::pair<int, int> clamped[] = {{0, 20}, {-7, 20}, {19, 20}, {401, 400}, {100000, 400}};
    for (auto [stored, shown] : clamped) {
        const auto notice = clampedTempoNotice("Rock.pat", stored);
        ASSERT_TRUE(notice) << stored;
        EXPECT_NE(notice->find("\"Rock.pat\""), std::string::npos) << *notice;
        EXPECT_NE(notice->find(std::to_string(stored) + " BPM"), std::string::npos) << *notice;
        EXPECT_NE(notice->find("at " + std::to_string(shown) + " BPM"), std::string::npos) << *notice;
    }
    for (int inRange : {20, 120, 400})
        EXPECT_FALSE(clampedTempoNotice("Rock.pat", inRange)) << inRange;
}

} // namespace
} // namespace tamboro
