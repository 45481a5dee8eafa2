#pragma once
// `tamboro-cli play --input TAKE.wav --feedback NOTES.csv`: the take heard through the null device's
// input, recorded while the song plays, and analysed afterwards by the same code as `tamboro-cli
// feedback`, against the output frames the mixer gave the steps the engine scheduled.

#include "feedback/LiveTake.h"
#include "feedback/TimingFeedback.h"
#include "sound/InputCapture.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace tamboro::cli {

// The null device's input: the take's frames mixed to mono at `rate`. Throws Error naming the file.
std::shared_ptr<const std::vector<float>> readInputTake(const std::filesystem::path& path,
                                                        std::uint32_t rate);

using tamboro::MarkedStep;

// Analyses the take, writes the notes to `csv` (atomically) and prints what `tamboro-cli feedback`
// prints; returns the summary.
FeedbackSummary reportLiveFeedback(const InputTake& take, const std::vector<MarkedStep>& steps,
                                   double latencyMs, const std::filesystem::path& csv);

} // namespace tamboro::cli
