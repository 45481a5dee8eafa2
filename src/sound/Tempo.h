#pragma once
// The tempo unit of every playback and render path: beats per minute, four steps to a beat.

#include <cstdint>

namespace tamboro {

inline constexpr int kTempoKnobMin = 60;
inline constexpr int kTempoKnobMax = 300;
inline constexpr int kInitialBpm = 120;
// Every tempo the window plays or shows lies in 20..400 BPM: below, a step lasts longer than a
// bar of most music; above, the step clock's millisecond steps lose their precision. Pattern files
// may store other values; those are kept in the file and in a render, only the window clamps them.
inline constexpr int kMinimumBpm = 20;
inline constexpr int kMaximumBpm = 400;

// `stepInterval`: 60 / BPM x 1000 / 4 ms, rounded to the nearest integer with exact halves to the
// even neighbour (80 -> 188, 240 -> 62). The BPM is clamped into 20..400 first (boundedBpm).
std::int32_t stepIntervalForBpm(int bpm);

// The BPM field's rule: the tempo clamped into kMinimumBpm..kMaximumBpm.
int boundedBpm(int bpm);

// The tempo knob shows the BPM limited to its range.
double tempoKnobValueFor(int bpm);

} // namespace tamboro
