#include "feedback/LiveTake.h"

#include "common/Error.h"
#include "sound/WavCapture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tamboro {

SongSteps liveSteps(const InputTake& take, const std::vector<MarkedStep>& steps) {
    SongSteps result;
    const double scale = static_cast<double>(kTakeRate) / take.rate;
    for (const StepMark& mark : take.marks) {
        if (mark.id >= steps.size() || !steps[mark.id].counted)
            continue;
        result.frames.push_back(std::llround(static_cast<double>(mark.frame - take.firstFrame) * scale));
        result.positions.push_back(steps[mark.id].position);
    }
    const auto& frames = result.frames;
    if (frames.size() >= 2)
        result.endFrame = 2 * frames.back() - frames[frames.size() - 2];
    else if (!frames.empty())
        result.endFrame = frames.back() + kTakeRate / 8;
    return result;
}

std::vector<std::uint8_t> takeWav(const InputTake& take) {
    std::vector<std::int16_t> samples(take.samples.size());
    // x 32768, the scale libsndfile reads 16-bit samples with, so they come back exactly.
    std::transform(take.samples.begin(), take.samples.end(), samples.begin(), [](float x) {
        return static_cast<std::int16_t>(std::clamp(std::lrint(x * 32768.0f), -32768L, 32767L));
    });
    return wavImage16(1, take.rate, samples);
}

TakeFeedback analyseLiveTake(const InputTake& take, const std::vector<MarkedStep>& steps, double latencyMs) {
    TakeFeedback feedback;
    feedback.steps = liveSteps(take, steps);
    if (feedback.steps.frames.empty())
        throw Error("No step was played while the input was recorded");
    feedback.analysis = analyseTake(takeWav(take), "the recorded input");
    feedback.notes = matchOnsets(feedback.analysis.onsets, feedback.steps, latencyMs);
    feedback.summary = summarise(feedback.notes);
    return feedback;
}

std::vector<std::string> liveTakeWarnings(const InputTake& take, const TakeFeedback& feedback) {
    std::vector<std::string> warnings;
    char text[160];
    if (take.lostFrames > 0) {
        std::snprintf(text, sizeof text,
                      "the recording lost %llu input frames: the machine was too busy to keep them",
                      static_cast<unsigned long long>(take.lostFrames));
        warnings.emplace_back(text);
    }
    if (feedback.analysis.peak < 1e-4f)
        warnings.emplace_back("the recorded input is silent");
    if (feedback.analysis.clippedSamples > 0) {
        std::snprintf(text, sizeof text,
                      "the recorded input clips (%lld samples at full scale); onsets may be less exact",
                      static_cast<long long>(feedback.analysis.clippedSamples));
        warnings.emplace_back(text);
    }
    return warnings;
}

} // namespace tamboro
