#pragma once
// Acidizing: instead of the whole mix, the output holds exactly the song's musical length, from
// its first step (the one-step lead-in of every render is cut off, and so is everything after the
// last step).

#include <cstdint>
#include <filesystem>

namespace tamboro {

class HitTimeline;

struct LoopRange {
    std::int64_t first = 0; // Round(44100 x FirstStepSeconds)
    std::int64_t end = 0;   // Round((SongSeconds + FirstStepSeconds) x 44100)
    std::int64_t frames() const { return end - first; }
};

LoopRange acidLoopRange(double firstStepSeconds, double songSeconds);

// Copies mix frames [first, end) into a memory buffer and saves it as a WAV file (atomically).
void writeAcidLoop(const HitTimeline& mix, const LoopRange& range, const std::filesystem::path& path);

} // namespace tamboro
