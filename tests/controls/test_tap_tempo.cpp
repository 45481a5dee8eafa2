// Tap tempo: 60 / the mean of the last up to 4 intervals, rounded and limited to 20..400; a pause
// over 2 s starts again.

#include "controls/TapTempo.h"

#include <gtest/gtest.h>

using tamboro::TapTempo;

TEST(TapTempo, MeanOfTheLastFourIntervals) {
    struct Case {
        std::vector<double> taps;
        std::optional<int> bpm;
    } cases[] = {
        {{0.0}, std::nullopt},
        {{0.0, 0.5}, 120},
        {{0.0, 0.5, 1.1}, 109},                         // mean 0.55 s: 109.09
        {{0.0, 1.0, 1.5, 2.0, 2.5, 3.0}, 120},          // the first interval has left the window
        {{0.0, 0.4, 0.8, 1.2, 1.6, 3.7}, std::nullopt}, // a pause over 2 s restarts
        {{0.0, 0.4, 2.5, 3.0}, 120},                    // measured again from 2.5
        {{0.0, 1.9}, 32},
        {{0.0, 0.1}, 400},        // 600 limited
        {{0.0, 0.449, 0.9}, 133}, // 133.03
    };
    for (const auto& c : cases) {
        TapTempo tapper;
        std::optional<int> last;
        for (const double t : c.taps)
            last = tapper.tap(t);
        EXPECT_EQ(last, c.bpm) << c.taps.size() << " taps ending at " << c.taps.back();
    }
    TapTempo slow;
    slow.tap(0);
    EXPECT_EQ(slow.tap(2.0), 30); // exactly 2 s still counts
}
