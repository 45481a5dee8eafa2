// The practice click's sounds: the same samples every time, an accent clearly louder and lower than
// the tick, both sounding at once and ending in silence.

#include "kits/ClickSynth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace tamboro;

namespace {

int peakOf(const std::vector<std::int16_t>& s) {
    int peak = 0;
    for (const auto v : s)
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    return peak;
}

// Zero crossings per second over the first 20 ms: a rough measure of the pitch heard.
double crossingsPerSecond(const std::vector<std::int16_t>& s) {
    int crossings = 0;
    for (std::size_t i = 1; i < 882; ++i)
        crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings / 0.02;
}

} // namespace

TEST(ClickSynth, AccentAndTickAreDistinctDeterministicSounds) {
    const auto accent = synthesizeClick(ClickVoice::Accent);
    const auto tick = synthesizeClick(ClickVoice::Tick);
    EXPECT_EQ(accent, synthesizeClick(ClickVoice::Accent));
    EXPECT_EQ(tick, synthesizeClick(ClickVoice::Tick));
    // About 8 dB apart.
    const double difference = 20 * std::log10(static_cast<double>(peakOf(accent)) / peakOf(tick));
    EXPECT_NEAR(difference, 8.0, 0.5);
    EXPECT_LT(crossingsPerSecond(accent), crossingsPerSecond(tick));
    for (const auto* sound : {&accent, &tick}) {
        // Loud within the first 3 ms, silent at the end, short enough for 16ths at 400 BPM to stay apart.
        const auto first = std::find_if(sound->begin(), sound->end(),
                                        [&](std::int16_t v) { return std::abs(v) > peakOf(*sound) / 2; });
        EXPECT_LT(first - sound->begin(), 132);
        EXPECT_EQ(sound->back(), 0);
        EXPECT_LE(sound->size(), 44100u / 10);
    }
    const Wave wave = clickWave(ClickVoice::Tick);
    EXPECT_EQ(wave.channels(), 1);
    EXPECT_EQ(wave.sampleRate(), 44100u);
    EXPECT_EQ(wave.data().size(), tick.size() * 2);
}
