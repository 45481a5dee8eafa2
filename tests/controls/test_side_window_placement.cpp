// Side windows open beside the main window: on the side they prefer when it has room, on another
// side, or beyond the side windows already standing there; on a screen too small for any of that,
// where they cover the fewest of the main window's controls.

#include "controls/SideWindowPlacement.h"

#include <gtest/gtest.h>

#include <vector>

namespace tamboro {
namespace {

constexpr PixelRect kScreen{0, 0, 1280, 1024};
constexpr PixelRect kCentred{370, 261, 539, 501};
constexpr SideWindowWish kRightFirst{{Side::Right, Side::Left, Side::Below, Side::Above}, 68};
constexpr SideWindowWish kLeftFirst{{Side::Left, Side::Right, Side::Below, Side::Above}, 67};
constexpr SideWindowWish kAboveAtRightEnd{{Side::Above, Side::Below, Side::Right, Side::Left}, 0, true};
constexpr SideWindowWish kBelowFirst{{Side::Below, Side::Above, Side::Right, Side::Left}};

TEST(SideWindowPlacement, OpensBesideTheMainWindowWithoutCoveringAnything) {
    struct Case {
        const char* what;
        PixelRect screen, main;
        std::vector<PixelRect> others;
        int width, height;
        SideWindowWish wish;
        PixelPoint expected;
        Side side;
    } cases[] = {
        {"right, 68 below the top", kScreen, kCentred, {}, 127, 371, kRightFirst, {915, 329}, Side::Right},
        {"left, 67 below the top", kScreen, kCentred, {}, 130, 365, kLeftFirst, {234, 328}, Side::Left},
        {"above, flush with the right end",
         kScreen,
         kCentred,
         {},
         216,
         148,
         kAboveAtRightEnd,
         {693, 107},
         Side::Above},
        {"no room on the right: left",
         kScreen,
         {741, 261, 539, 501},
         {},
         127,
         371,
         kRightFirst,
         {608, 329},
         Side::Left},
        {"main window at the top: below",
         kScreen,
         {370, 0, 539, 501},
         {},
         216,
         148,
         kAboveAtRightEnd,
         {693, 507},
         Side::Below},
        {"near the bottom: slides up to stay on screen",
         kScreen,
         {370, 700, 539, 300},
         {},
         127,
         371,
         kRightFirst,
         {915, 653},
         Side::Right},
        {"the right side taken and too narrow beyond it: left",
         kScreen,
         kCentred,
         {{915, 329, 127, 371}},
         320,
         520,
         SideWindowWish{{Side::Right, Side::Left, Side::Below, Side::Above}},
         {44, 261},
         Side::Left},
        {"below, beside the window already there",
         kScreen,
         kCentred,
         {{370, 768, 329, 121}},
         293,
         141,
         kBelowFirst,
         {71, 768},
         Side::Below},
        {"beyond the window already on its side",
         kScreen,
         kCentred,
         {{915, 261, 127, 501}},
         127,
         371,
         kRightFirst,
         {1048, 329},
         Side::Right},
    };
    for (const Case& c : cases) {
        SideWindowRequest request{c.screen, c.main, {}, c.others, c.width, c.height, c.wish};
        const SideWindowPlace place = placeSideWindow(request);
        EXPECT_EQ(place.topLeft, c.expected) << c.what;
        EXPECT_EQ(place.side, c.side) << c.what;
        EXPECT_TRUE(place.clear) << c.what;
        const PixelRect rect{place.topLeft.x, place.topLeft.y, c.width, c.height};
        EXPECT_TRUE(containsRect(c.screen, rect)) << c.what;
        EXPECT_EQ(overlapArea(rect, c.main), 0) << c.what;
        for (const PixelRect& other : c.others)
            EXPECT_EQ(overlapArea(rect, other), 0) << c.what;
    }
}

TEST(SideWindowPlacement, OnASmallScreenCoversTheFewestControls) {
    // The main window fills the screen but for a strip of 100 pixels on the right; its controls
    // leave the right 40 pixels of its own area free.
    const PixelRect screen{0, 0, 700, 560};
    const PixelRect main{0, 0, 600, 560};
    const std::vector<PixelRect> controls{{0, 0, 600, 40}, {0, 40, 80, 520}, {100, 100, 460, 400}};
    SideWindowRequest request{screen, main, controls, {}, 120, 300, kLeftFirst};
    const SideWindowPlace place = placeSideWindow(request);
    EXPECT_EQ(place.topLeft, (PixelPoint{580, 67}));
    EXPECT_EQ(place.side, Side::Right);
    EXPECT_EQ(place.coveredControls, 0);
    EXPECT_FALSE(place.clear);

    // Without a list of controls the whole main window counts as one: the least of it is covered.
    request.controls = {};
    const SideWindowPlace anyPlace = placeSideWindow(request);
    EXPECT_EQ(anyPlace.coveredControls, 20 * 300);
}

TEST(SideWindowPlacement, AWindowLargerThanTheScreenKeepsItsTopLeftOnScreen) {
    const PixelRect screen{10, 20, 300, 200};
    SideWindowRequest request{screen, {10, 20, 300, 200}, {}, {}, 400, 300, kRightFirst};
    const SideWindowPlace place = placeSideWindow(request);
    EXPECT_EQ(place.topLeft, (PixelPoint{10, 20}));
    EXPECT_FALSE(place.clear);
}

TEST(SideWindowPlacement, OverlapAndContainment) {
    EXPECT_EQ(overlapArea({0, 0, 10, 10}, {5, 5, 10, 10}), 25);
    EXPECT_EQ(overlapArea({0, 0, 10, 10}, {10, 0, 10, 10}), 0); // touching edges share nothing
    EXPECT_EQ(overlapArea({0, 0, 10, 10}, {-5, 2, 30, 3}), 30);
    EXPECT_TRUE(containsRect({0, 0, 10, 10}, {0, 0, 10, 10}));
    EXPECT_FALSE(containsRect({0, 0, 10, 10}, {1, 0, 10, 10}));
}

} // namespace
} // namespace tamboro
