#pragma once
// `tamboro-cli play` with practice options: the pattern or the song's entries walked live through
// the practice plan (sound/PracticePlayer.h).

#include "cli/LiveFeedback.h"
#include "cli/PracticeOptions.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tamboro {
class EventLoop;
class PlaybackState;
class SoundDevice;
} // namespace tamboro

namespace tamboro::cli {

struct PracticeSession {
    int plays = 0; // 0: until the time limit
    std::uint64_t steps = 0;
    std::chrono::steady_clock::duration worstTickDelay{}; // the clock's, see StepClock
};

// Reads the patterns of `entries` from `dir`, checks the options against them and plays the session
// until it ends or `limit` passes. Throws Error naming the option or the file. `firstStep`: when
// the first step is planned (else at once); `marked`: what each step mark of the recorded input
// stands for (its row, whether it counts in).
PracticeSession
playPracticeSession(const PracticeOptions& options, bool repeat, const std::filesystem::path& dir,
                    const std::vector<std::string>& entries, EventLoop& loop, SoundDevice& device,
                    PlaybackState& playback, std::chrono::steady_clock::duration limit,
                    std::optional<std::chrono::steady_clock::time_point> firstStep = std::nullopt,
                    std::vector<MarkedStep>* marked = nullptr);

} // namespace tamboro::cli
