#include "controls/TapTempo.h"

#include <algorithm>
#include <cmath>

namespace tamboro {

std::optional<int> TapTempo::tap(double seconds) {
    if (!taps_.empty() && (seconds - taps_.back() > kRestartSeconds || seconds <= taps_.back()))
        taps_.clear();
    taps_.push_back(seconds);
    if (taps_.size() > kIntervals + 1)
        taps_.pop_front();
    if (taps_.size() < 2)
        return std::nullopt;
    const double mean = (taps_.back() - taps_.front()) / static_cast<double>(taps_.size() - 1);
    const auto bpm = static_cast<long>(std::lround(60.0 / mean));
    return static_cast<int>(std::clamp<long>(bpm, kMinBpm, kMaxBpm));
}

} // namespace tamboro
