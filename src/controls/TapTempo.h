#pragma once
// Tap tempo: the BPM from the times of taps (the practice panel's button and the key T). The tempo
// is 60 / (the mean of the last up to 4 intervals), rounded, within 20..400; a pause of more than
// 2 seconds starts a new measurement.

#include <deque>
#include <optional>

namespace tamboro {

class TapTempo {
public:
    static constexpr double kRestartSeconds = 2.0;
    static constexpr int kMinBpm = 20;
    static constexpr int kMaxBpm = 400;
    static constexpr std::size_t kIntervals = 4;

    // A tap at `seconds` (any steady clock); the BPM once two taps of one measurement are known.
    std::optional<int> tap(double seconds);
    void reset() { taps_.clear(); }

private:
    std::deque<double> taps_; // at most kIntervals + 1
};

} // namespace tamboro
