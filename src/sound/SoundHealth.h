#pragma once
// How well the live output keeps time, in counters any thread may read: shown in the command
// line's summary and the main window's Stop button tip.

#include <cstdint>
#include <string>

namespace tamboro {

struct SoundHealth {
    std::uint64_t lateStarts = 0; // starts whose frame was already rendered when they arrived
    std::uint64_t underruns = 0;  // blocks the output ran dry on or lost
    std::uint64_t reanchors = 0;  // discontinuities the clock mapping re-anchored on
    std::uint32_t lookaheadFrames = 0;
    // The look-ahead left after the mapping's current distance from the card's envelope.
    std::int64_t lookaheadLeftFrames = 0;
    double skewPpm = 0.0;    // the card's rate against the steady clock, as the mapping runs it
    double maxEarlyMs = 0.0; // blocks rendered at most this much earlier than the mapping
};

// "0 late starts, 0 underruns, 0 re-anchors, look-ahead 600 frames (600 left), card +0.0 ppm"
std::string describeSoundHealth(const SoundHealth& health);

} // namespace tamboro
