#include "testsupport/OnsetAnalysis.h"

#include <cmath>
#include <cstdlib>

namespace tamboro {

std::vector<std::int64_t> findOnsets(std::span<const std::int16_t> interleaved, unsigned channels,
                                     std::int16_t threshold, std::size_t quietFrames) {
    std::vector<std::int64_t> onsets;
    if (channels == 0)
        return onsets;
    const std::size_t frames = interleaved.size() / channels;
    std::size_t quiet = quietFrames; // the recording may start with a click
    for (std::size_t f = 0; f < frames; ++f) {
        const int magnitude = std::abs(static_cast<int>(interleaved[f * channels]));
        if (magnitude >= threshold) {
            if (quiet >= quietFrames)
                onsets.push_back(static_cast<std::int64_t>(f));
            quiet = 0;
        } else {
            ++quiet;
        }
    }
    return onsets;
}

GridCheck checkGrid(const std::vector<std::int64_t>& onsets, double periodFrames, double tolerance,
                    std::size_t expected) {
    GridCheck check;
    check.onsets = onsets.size();
    if (onsets.empty()) {
        check.problem = "no clicks found";
        return check;
    }
    double sum = 0.0;
    std::size_t worstAt = 0;
    for (std::size_t k = 0; k < onsets.size(); ++k) {
        const double ideal = static_cast<double>(onsets[0]) + static_cast<double>(k) * periodFrames;
        const double deviation = std::abs(static_cast<double>(onsets[k]) - ideal);
        sum += deviation;
        if (deviation > check.worstDeviation) {
            check.worstDeviation = deviation;
            worstAt = k;
        }
    }
    check.meanDeviation = sum / static_cast<double>(onsets.size());
    if (expected != 0 && onsets.size() != expected)
        check.problem =
            "found " + std::to_string(onsets.size()) + " clicks, expected " + std::to_string(expected);
    else if (check.worstDeviation > tolerance)
        check.problem = "click " + std::to_string(worstAt) + " is " + std::to_string(check.worstDeviation) +
                        " frames off the grid";
    check.ok = check.problem.empty();
    return check;
}

} // namespace tamboro
