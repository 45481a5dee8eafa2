#pragma once
// The tempo unit of every playback and render path: beats per minute, four steps to a beat.

#include <cstdint>

namespace tamboro {

inline constexpr int kTempoKnobMin = 60;
inline constexpr int kTempoKnobMax = 300;
inline constexpr int kInitialBpm = 120;

// `stepInterval`: 60 / BPM x 1000 / 4 ms, rounded to the nearest integer with exact halves to the
// even neighbour (80 -> 188, 240 -> 62). A BPM below 1 counts as 1, so there is no division by 0.
std::int32_t stepIntervalForBpm(int bpm);

// The BPM field's lower bound: it never goes below 1 (it has no upper bound).
int boundedBpm(int bpm);

// The tempo knob shows the BPM limited to its range.
double tempoKnobValueFor(int bpm);

} // namespace tamboro
