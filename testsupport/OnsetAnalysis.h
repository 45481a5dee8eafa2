#pragma once
// Finds clicks in recorded sound and checks them against a tempo grid: the measuring stick of the
// live-timing tests, the benchmark and the end-to-end check through a sound server.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tamboro {

// Frames where the first channel's magnitude reaches `threshold` after at least `quietFrames`
// frames below it (the start of each click).
std::vector<std::int64_t> findOnsets(std::span<const std::int16_t> interleaved, unsigned channels,
                                     std::int16_t threshold, std::size_t quietFrames);

struct GridCheck {
    std::size_t onsets = 0;
    double worstDeviation = 0.0; // frames, against onset 0 + k x period
    double meanDeviation = 0.0;
    bool ok = false;
    std::string problem; // empty when ok
};

// Onset k must lie within `tolerance` frames of onset 0 + k x `periodFrames`, and there must be
// exactly `expected` onsets (0: any number).
GridCheck checkGrid(const std::vector<std::int64_t>& onsets, double periodFrames, double tolerance,
                    std::size_t expected);

} // namespace tamboro
