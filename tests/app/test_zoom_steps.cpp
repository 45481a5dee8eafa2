#include "app/ZoomSteps.h"

#include <gtest/gtest.h>

namespace tamboro {
namespace {

TEST(ZoomSteps, InAndOutWalkTheStepsAndStopAtTheEnds) {
    struct Case {
        int from, in, out;
    };
    for (const Case& c : {Case{100, 125, 100}, Case{125, 150, 100}, Case{150, 200, 125}, Case{200, 200, 150},
                          Case{110, 125, 100}, Case{90, 100, 100}, Case{400, 200, 200}}) {
        EXPECT_EQ(zoomInFrom(c.from), c.in) << c.from;
        EXPECT_EQ(zoomOutFrom(c.from), c.out) << c.from;
    }
}

TEST(ZoomSteps, OnlyAStepIsReadBackFromTheSettings) {
    for (int step : kZoomPercents)
        EXPECT_EQ(zoomPercentFromStored(std::to_string(step)), step);
    for (const char* bad : {"", "0", "-100", "175", "150%", " 150", "1.5", "99999999999", "abc"})
        EXPECT_EQ(zoomPercentFromStored(bad), std::nullopt) << bad;
}

} // namespace
} // namespace tamboro
