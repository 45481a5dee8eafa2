#include "controls/PulseFade.h"

#include <gtest/gtest.h>

#include <vector>

namespace tamboro {
namespace {

TEST(PulseFade, MainWindowLightFadesInFourTicksAndStopsAtTheFifth) {
    PulseFade light(16);
    light.resize(16);
    EXPECT_EQ(PulseFade::timerPeriodMs(light.fadeRate()), 100);
    light.pulse();
    EXPECT_EQ(light.step(), 2);
    std::vector<int> heights = {light.barHeight()};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(light.tick());
        heights.push_back(light.barHeight());
        EXPECT_EQ(light.barTop() + light.barHeight(), 16);
    }
    EXPECT_EQ(heights, (std::vector<int>{16, 12, 8, 4, 0}));
    EXPECT_FALSE(light.tick());
    EXPECT_FALSE(light.timerEnabled());
    EXPECT_EQ(light.barHeight(), 0);
}

TEST(PulseFade, PulsingEveryOtherTickNeverGoesDark) {
    PulseFade light(16);
    light.resize(16);
    for (int i = 0; i < 20; ++i) {
        if (i % 2 == 0)
            light.pulse();
        light.tick();
        EXPECT_GT(light.barHeight(), 0) << i;
    }
}

TEST(PulseFade, StaysFullyLitUntilTheFirstResizeGivesItAStep) {
    PulseFade light(32);
    EXPECT_TRUE(light.timerEnabled());
    EXPECT_EQ(light.step(), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(light.tick());
    EXPECT_EQ(light.barHeight(), 32);
    light.resize(32); // step 3 (3.2 rounded)
    EXPECT_EQ(light.step(), 3);
    EXPECT_EQ(light.barHeight(), 32);
    int ticks = 0;
    while (light.tick())
        ++ticks;
    EXPECT_EQ(ticks, 5); // 26, 20, 14, 8, 2, then off
}

TEST(PulseFade, StepsThatOvershootTheBottomLeaveTheBarDarkNotNegative) {
    PulseFade light(16);
    ASSERT_TRUE(light.setFadeRate(5)); // step 3: offsets 6, 12, 18
    light.resize(16);
    light.pulse();
    light.tick();
    light.tick();
    EXPECT_EQ(light.barHeight(), 4);
    light.tick();
    EXPECT_EQ(light.barHeight(), 0);
    EXPECT_EQ(light.barTop(), 16);
}

TEST(PulseFade, RateOfZeroIsRefused) {
    PulseFade light(16);
    EXPECT_FALSE(light.setFadeRate(0));
    EXPECT_FALSE(light.setFadeRate(-3));
    EXPECT_EQ(light.fadeRate(), 10);
    EXPECT_TRUE(light.setFadeRate(4));
    light.resize(16);
    EXPECT_EQ(light.step(), 4);
}

} // namespace
} // namespace tamboro
