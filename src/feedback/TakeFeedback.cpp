#include "feedback/TakeFeedback.h"

#include "common/Files.h"

#include <cmath>
#include <cstdio>

namespace tamboro {

TakeFeedback analyseTakeFile(const std::filesystem::path& take, const RenderSong& song, double latencyMs,
                             const std::function<void(double)>& progress) {
    return analyseTakeFile(take, songSteps(song), latencyMs, progress);
}

TakeFeedback analyseTakeFile(const std::filesystem::path& take, SongSteps steps, double latencyMs,
                             const std::function<void(double)>& progress) {
    TakeFeedback feedback;
    feedback.steps = std::move(steps);
    const std::vector<std::uint8_t> bytes = readFileBytes(take, kMaxTakeBytes);
    feedback.analysis = analyseTake(bytes, take.string(), {}, progress);
    feedback.notes = matchOnsets(feedback.analysis.onsets, feedback.steps, latencyMs);
    feedback.summary = summarise(feedback.notes);
    return feedback;
}

std::vector<std::string> takeWarnings(const std::filesystem::path& take, const TakeFeedback& feedback) {
    const std::string name = take.string();
    const TakeAnalysis& analysis = feedback.analysis;
    std::vector<std::string> warnings;
    char text[160];
    if (analysis.format.resampled()) {
        std::snprintf(text, sizeof text, ": recorded at %d Hz, resampled to %d Hz",
                      analysis.format.sampleRate, kTakeRate);
        warnings.push_back(name + text);
    }
    if (analysis.peak < 1e-4f)
        warnings.push_back(name + ": the take is silent");
    if (analysis.clippedSamples > 0) {
        std::snprintf(text, sizeof text,
                      ": the take clips (%lld samples at full scale); onsets may be less exact",
                      static_cast<long long>(analysis.clippedSamples));
        warnings.push_back(name + text);
    }
    if (analysis.frames < feedback.steps.endFrame) {
        std::snprintf(text, sizeof text,
                      ": the take (%.1f s) is shorter than the song (%.1f s); only its notes count",
                      static_cast<double>(analysis.frames) / kTakeRate,
                      static_cast<double>(feedback.steps.endFrame) / kTakeRate);
        warnings.push_back(name + text);
    }
    return warnings;
}

std::string positionWords(int position) {
    const std::string beat = "beat " + std::to_string(position / 4 + 1);
    switch (position % 4) {
    case 0:
        return beat;
    case 1:
        return "the e of " + beat;
    case 2:
        return "the & of " + beat;
    default:
        return "the a of " + beat;
    }
}

std::string positionSentence(const PositionOffset& position) {
    const long ms = std::lround(std::fabs(position.meanMs));
    if (ms < 1)
        return "you land " + positionWords(position.position) + " right on time";
    return "you land " + positionWords(position.position) +
           (position.meanMs > 0 ? " late by " : " early by ") + std::to_string(ms) + " ms";
}

} // namespace tamboro
