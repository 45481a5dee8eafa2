// The value texts of the knobs and the slider: tempo, pan, volume and pitch as a musician reads them.

#include "controls/ValueTexts.h"

#include <gtest/gtest.h>

namespace tamboro {
namespace {

TEST(ValueTexts, PanIsTheShareOfTheWayToOneSide) {
    const std::pair<int, const char*> table[] = {
        {0, "Centre"},     {-4000, "L 40 %"}, {2500, "R 25 %"}, {-10000, "L 100 %"}, {10000, "R 100 %"},
        {-2000, "L 20 %"}, {149, "R 1 %"},    {150, "R 2 %"},   {30, "R <1 %"},      {-49, "L <1 %"},
    };
    for (const auto& [pan, text] : table)
        EXPECT_EQ(panText(pan), text) << pan;
}

TEST(ValueTexts, VolumeInDecibels) {
    const std::pair<int, const char*> table[] = {
        {0, "0.0 dB"}, {-1250, "-12.5 dB"}, {-4000, "-40.0 dB"}, {-4, "0.0 dB"}, {-10000, "-100.0 dB"},
    };
    for (const auto& [volume, text] : table)
        EXPECT_EQ(volumeText(volume), text) << volume;
}

TEST(ValueTexts, PitchInSemitonesAndHertz) {
    struct Case {
        int hz, base;
        const char* text;
    } cases[] = {
        {44100, 44100, "+0.0 semitones, 44100 Hz"},
        {88200, 44100, "+12.0 semitones, 88200 Hz"},
        {22050, 44100, "-12.0 semitones, 22050 Hz"},
        {49500, 44100, "+2.0 semitones, 49500 Hz"}, // 1.9998 semitones
        {4410, 44100, "-39.9 semitones, 4410 Hz"},
        {30000, 0, "30000 Hz"}, // no file opened: no own rate to count from
    };
    for (const Case& c : cases)
        EXPECT_EQ(pitchText(c.hz, c.base), c.text) << c.hz << " over " << c.base;
}

TEST(ValueTexts, Tempo) {
    EXPECT_EQ(bpmText(120), "120 BPM");
    EXPECT_EQ(bpmText(20), "20 BPM");
}

} // namespace
} // namespace tamboro
