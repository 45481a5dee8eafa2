#include "cli/LiveFeedback.h"

#include "common/Error.h"
#include "common/Files.h"
#include "feedback/TakeReader.h"
#include "kits/PcmConversion.h"

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

FeedbackSummary reportLiveFeedback(const InputTake& take, const std::vector<MarkedStep>& steps,
                                   double latencyMs, const std::filesystem::path& csv) {
    if (liveSteps(take, steps).frames.empty())
        throw Error("play: no step was played while the input was recorded");
    const TakeFeedback feedback = analyseLiveTake(take, steps, latencyMs);
    for (const std::string& warning : liveTakeWarnings(take, feedback))
        std::fprintf(stderr, "%s\n", warning.c_str());
    const std::vector<FeedbackNote>& notes = feedback.notes;
    writeFileAtomically(csv, notesCsv(notes));
    const FeedbackSummary summary = summarise(notes);
    for (const PositionOffset& position : summary.positions)
        std::printf("step %d: %+.1f ms over %zu notes\n", position.position + 1, position.meanMs,
                    position.notes);
    std::printf("%s\n", summaryLine(summary).c_str());
    return summary;
}

} // namespace tamboro::cli
