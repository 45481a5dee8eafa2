#include "controls/KnobRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace tamboro {
namespace {

TEST(KnobClamp, KeepsValuesBetweenTheBoundsInEitherOrder) {
    struct Case {
        double v, min, max, expected;
    };
    const std::vector<Case> cases = {
        {20, 60, 300, 60},
        {400, 60, 300, 300},
        {120, 60, 300, 120}, // ordinary range
        {20, 300, 60, 60},
        {400, 300, 60, 300},
        {120, 300, 60, 120}, // inverted range
        {-2500, -2000, 2000, -2000},
        {2500, -2000, 2000, 2000}, // pan knob
        {5, 7, 7, 5},              // empty range: unchanged
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(clampKnobValue(c.v, c.min, c.max), c.expected)
            << c.v << " in " << c.min << ".." << c.max;
}

TEST(KnobValue, SettingFromCodeClampsAndReportsOnlyRealChanges) {
    KnobValue k;
    k.setMinValue(60);
    k.setMaxValue(300);
    EXPECT_TRUE(k.setValue(20));
    EXPECT_DOUBLE_EQ(k.value(), 60);
    EXPECT_FALSE(k.setValue(60));
    // Bounds are stored without re-clamping the value.
    k.setMinValue(100);
    EXPECT_DOUBLE_EQ(k.value(), 60);
}

TEST(KnobValue, DragIsMeasuredFromTheValueAtThePress) {
    KnobValue k;
    k.setMinValue(60);
    k.setMaxValue(300);
    k.setSensitivity(200);
    k.setValue(120);
    k.press(300);
    // 1.2 BPM per pixel: every intermediate move counts as a user change.
    for (int dy = 1; dy <= 50; ++dy) {
        EXPECT_TRUE(k.move(300 - dy));
        EXPECT_NEAR(k.value(), 120 + 1.2 * dy, 1e-9);
    }
    EXPECT_NEAR(k.value(), 180, 1e-9);
    // Back down to the press point returns exactly to the start value.
    k.move(300);
    EXPECT_DOUBLE_EQ(k.value(), 120);
    // Far beyond the top: pinned at the maximum, still a change.
    EXPECT_TRUE(k.move(-1000));
    EXPECT_DOUBLE_EQ(k.value(), 300);
    k.release();
    EXPECT_FALSE(k.move(100));
    EXPECT_DOUBLE_EQ(k.value(), 300);
}

TEST(KnobValue, InvertedRangeDecreasesWhenDraggedUp) {
    KnobValue k;
    k.setMinValue(300);
    k.setMaxValue(60);
    k.setSensitivity(200);
    k.setValue(200);
    k.press(100);
    k.move(90);
    EXPECT_NEAR(k.value(), 188, 1e-9);
    k.move(-10000);
    EXPECT_DOUBLE_EQ(k.value(), 60);
    k.move(10000);
    EXPECT_DOUBLE_EQ(k.value(), 300);
}

TEST(KnobValue, PanKnobMovesFortyUnitsPerPixel) {
    KnobValue k;
    k.setMinValue(-2000);
    k.setMaxValue(2000);
    k.setSensitivity(100);
    k.press(10);
    k.move(5);
    EXPECT_DOUBLE_EQ(k.value(), 200);
}

TEST(KnobValue, EmptyRangeOrZeroSensitivityDoNothing) {
    KnobValue empty;
    empty.setMinValue(5);
    empty.setMaxValue(5);
    empty.press(0);
    EXPECT_FALSE(empty.move(-50));
    EXPECT_DOUBLE_EQ(empty.value(), 0);

    KnobValue insensitive;
    insensitive.setSensitivity(0);
    insensitive.setValue(40);
    insensitive.press(0);
    EXPECT_TRUE(insensitive.move(-50));
    EXPECT_DOUBLE_EQ(insensitive.value(), 40);
}

} // namespace
} // namespace tamboro
