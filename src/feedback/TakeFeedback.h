#pragma once
// One take against one song, from the file to the figures: what `tamboro-cli feedback` and the
// window's feedback view both run, so the two always give the same notes and summary.

#include "feedback/TimingFeedback.h"
#include "render/RenderScript.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tamboro {

struct TakeFeedback {
    TakeAnalysis analysis;
    SongSteps steps;
    std::vector<FeedbackNote> notes;
    FeedbackSummary summary;
};

// Takes larger than this are refused before they are read (a 16-bit stereo hour is 635 MB).
inline constexpr std::uintmax_t kMaxTakeBytes = std::uintmax_t{1} << 31;

// Reads `take`, finds its onsets and matches them to `song`'s steps with `latencyMs` taken off.
// `progress`, when given, hears the share of the take read so far (0..1) from the calling thread.
// Throws Error naming the file.
TakeFeedback analyseTakeFile(const std::filesystem::path& take, const RenderSong& song, double latencyMs,
                             const std::function<void(double)>& progress = {});
// The same against steps given (those of a practice track: practiceSongSteps).
TakeFeedback analyseTakeFile(const std::filesystem::path& take, SongSteps steps, double latencyMs,
                             const std::function<void(double)>& progress = {});

// What is odd about the take (resampled, silent, clipping, shorter than the song), one sentence
// each, every one naming the file.
std::vector<std::string> takeWarnings(const std::filesystem::path& take, const TakeFeedback& feedback);

// "beat 3", "the e of beat 2", "the & of beat 1", "the a of beat 4": a row of a pattern of
// sixteenth steps, counted as a player counts them.
std::string positionWords(int position);
// "you land beat 3 late by 18 ms" / "early by 4 ms" / "right on time" (within 1 ms), from the
// mean offset of every note at that position.
std::string positionSentence(const PositionOffset& position);

} // namespace tamboro
