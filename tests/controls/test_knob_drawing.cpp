#include "controls/KnobDrawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tamboro {
namespace {

// Direction of the indicator as a clock hour (3 = right, 12 = up, 9 = left).
double indicatorClockHour(const KnobStroke& line) {
    const double dx = line.x2 - line.x1;
    const double dy = line.y1 - line.y2; // upwards positive
    double degreesFromTwelve = 90.0 - std::atan2(dy, dx) * 180.0 / std::numbers::pi;
    if (degreesFromTwelve < 0)
        degreesFromTwelve += 360.0;
    return degreesFromTwelve / 30.0;
}

TEST(KnobDrawing, BlendRoundsEachChannel) {
    EXPECT_EQ(blendColours({0, 0, 0}, 1, {128, 128, 128}, 3), (Rgb{96, 96, 96}));
    EXPECT_EQ(blendColours({255, 255, 255}, 1, {128, 128, 128}, 2), (Rgb{170, 170, 170}));
    EXPECT_EQ(blendColours({255, 255, 255}, 2, {128, 128, 128}, 1), (Rgb{213, 213, 213}));
    EXPECT_EQ(blendColours({0, 0, 0}, 2, {240, 10, 1}, 2), (Rgb{120, 5, 0})); // 0.5 to even
}

TEST(KnobDrawing, ArcsRunCounterClockwiseBetweenRays) {
    // Quarter circle from the bottom to the right, through the lower right.
    const KnobStroke a = arcBetweenRays({0, 0, 100, 100}, {50, 200}, {200, 50}, {});
    EXPECT_NEAR(a.startDegrees, -90, 1e-9);
    EXPECT_NEAR(a.spanDegrees, 90, 1e-9);
    // From the top to the left: also a quarter, through the upper left.
    const KnobStroke b = arcBetweenRays({0, 0, 100, 100}, {50, -1}, {-1, 50}, {});
    EXPECT_NEAR(b.startDegrees, 90, 1e-9);
    EXPECT_NEAR(b.spanDegrees, 90, 1e-9);
}

TEST(KnobDrawing, StrokesFollowTheDesign) {
    KnobLook look;
    look.diameter = 45;
    look.knob = {128, 128, 128};
    look.background = {30, 60, 90};
    look.minValue = 60;
    look.maxValue = 300;
    look.value = 120;
    const auto strokes = knobStrokes(look);
    ASSERT_EQ(strokes.size(), 12u);
    EXPECT_EQ(strokes[0].kind, KnobStroke::Kind::FillRect);
    EXPECT_EQ(strokes[0].fill, look.background);
    EXPECT_EQ(strokes[1].rect, (PixelRect{0, 0, 45, 45}));
    EXPECT_TRUE(strokes[1].filled);
    EXPECT_EQ(strokes[1].pen, (Rgb{0, 0, 0}));
    // Outer shadow on (0,-1)-(D+1,D+1), blended with the background.
    EXPECT_EQ(strokes[2].rect, (PixelRect{0, -1, 46, 47}));
    EXPECT_EQ(strokes[2].pen, blendColours({0, 0, 0}, 1, look.background, 2));
    EXPECT_EQ(strokes[4].rect, (PixelRect{1, 1, 43, 43}));
    EXPECT_EQ(strokes[4].pen, (Rgb{96, 96, 96}));
    EXPECT_EQ(strokes[5].pen, look.knob);
    EXPECT_EQ(strokes[8].pen, (Rgb{255, 255, 255}));
    const KnobStroke& line = strokes.back();
    EXPECT_EQ(line.kind, KnobStroke::Kind::Line);
    EXPECT_EQ(line.penWidth, 2);
    EXPECT_EQ(line.pen, look.indicator);
}

TEST(KnobDrawing, IndicatorPointsAtTheClockPositions) {
    struct Case {
        double value, hour;
    };
    for (const Case& c : {Case{60, 2.05}, Case{300, 3.95}, Case{180, 9.0}}) {
        KnobLook look;
        look.diameter = 45;
        look.minValue = 60;
        look.maxValue = 300;
        look.value = c.value;
        EXPECT_NEAR(indicatorClockHour(knobStrokes(look).back()), c.hour, 0.05) << c.value;
    }
    KnobLook flat;
    flat.diameter = 29;
    flat.minValue = flat.maxValue = 3;
    EXPECT_NE(knobStrokes(flat).back().kind, KnobStroke::Kind::Line);
}

TEST(KnobDrawing, IndicatorLineLengthFollowsTheDiameter) {
    KnobLook look;
    look.diameter = 54;
    look.value = 0; // angle 0.5 rad
    const KnobStroke line = knobStrokes(look).back();
    EXPECT_NEAR(line.x1, std::cos(0.5) * 9 + 27, 1e-9);
    EXPECT_NEAR(line.y1, 27 - std::sin(0.5) * 9, 1e-9);
    EXPECT_NEAR(line.x2, std::cos(0.5) * 20 + 27, 1e-9);
}

} // namespace
} // namespace tamboro
