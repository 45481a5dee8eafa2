#include "cli/LiveFeedback.h"

#include "common/Error.h"
#include "common/Files.h"
#include "feedback/TakeReader.h"
#include "kits/PcmConversion.h"
#include "sound/WavCapture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tamboro::cli {

namespace {
constexpr std::uintmax_t kMaxTakeBytes = std::uintmax_t{1} << 31;
} // namespace

std::shared_ptr<const std::vector<float>> readInputTake(const std::filesystem::path& path,
                                                        std::uint32_t rate) {
    const std::vector<std::uint8_t> bytes = readFileBytes(path, kMaxTakeBytes);
    TakeReader reader(bytes, path.string());
    FloatFrames frames;
    frames.rate = kTakeRate;
    std::vector<float> block(8192);
    while (const std::size_t n = reader.read(block))
        frames.samples.insert(frames.samples.end(), block.begin(),
                              block.begin() + static_cast<std::ptrdiff_t>(n));
    if (rate != static_cast<std::uint32_t>(kTakeRate) && !frames.samples.empty())
        frames = resample(frames, rate, path.string());
    return std::make_shared<const std::vector<float>>(std::move(frames.samples));
}

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

FeedbackSummary reportLiveFeedback(const InputTake& take, const std::vector<MarkedStep>& steps,
                                   double latencyMs, const std::filesystem::path& csv) {
    if (take.lostFrames > 0)
        std::fprintf(stderr, "the recording lost %llu input frames: the machine was too busy to keep them\n",
                     static_cast<unsigned long long>(take.lostFrames));
    const SongSteps songSteps = liveSteps(take, steps);
    if (songSteps.frames.empty())
        throw Error("play: no step was played while the input was recorded");
    const std::vector<std::uint8_t> wav = takeWav(take);
    const TakeAnalysis analysis = analyseTake(wav, "the recorded input");
    if (analysis.peak < 1e-4f)
        std::fprintf(stderr, "the recorded input is silent\n");
    if (analysis.clippedSamples > 0)
        std::fprintf(stderr,
                     "the recorded input clips (%lld samples at full scale); onsets may be less exact\n",
                     static_cast<long long>(analysis.clippedSamples));
    const std::vector<FeedbackNote> notes = matchOnsets(analysis.onsets, songSteps, latencyMs);
    writeFileAtomically(csv, notesCsv(notes));
    const FeedbackSummary summary = summarise(notes);
    for (const PositionOffset& position : summary.positions)
        std::printf("step %d: %+.1f ms over %zu notes\n", position.position + 1, position.meanMs,
                    position.notes);
    std::printf("%s\n", summaryLine(summary).c_str());
    return summary;
}

} // namespace tamboro::cli
