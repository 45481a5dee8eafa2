#pragma once
// Timing feedback: how far each note of a take lands from the step the render plays there. The
// take's frame 0 is the render's frame 0 (a take recorded in step with the song's render); the
// step frames are the render's own (render/StepClock). Every onset is matched to the nearest step
// of the grid, whether or not the drums hit on it: the player plays their own part, which falls on
// steps the drums leave empty as often as on their hits.

#include "feedback/OnsetDetector.h"
#include "feedback/TakeReader.h"
#include "render/RenderScript.h"
#include "song/PracticeSettings.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tamboro {

// The step frames of a song, in play order.
struct SongSteps {
    std::vector<std::int64_t> frames;
    std::vector<int> positions; // each step's row within its pattern, 0-based
    std::int64_t endFrame = 0;  // where the song's last step ends
};
SongSteps songSteps(const RenderSong& song);
// The steps of the song's practice track of `plays` plays (count-in, tempo changes of the speed
// trainer, swing), as the render places them; the count-in's steps are left out: onsets during it
// are no notes.
SongSteps practiceSongSteps(const RenderSong& song, const PracticeSettings& settings, int plays);
// The steps a take played along with the song's track is measured against: the plain render's
// when the practice settings leave the steps where they are (a click, the beat dropper and bar
// breaks only change what sounds) and one play is asked for, else those of its practice track of
// `plays`, of the plays fitting in `minutes`, or of the settings' own plays (practiceTrackPlays,
// which throws Error naming --minutes when not one play fits).
SongSteps takeSteps(const RenderSong& song, const PracticeSettings& settings,
                    std::optional<int> plays = std::nullopt, std::optional<double> minutes = std::nullopt);

struct FeedbackNote {
    std::int64_t onsetFrame = 0; // in the take
    std::size_t step = 0;        // index into SongSteps::frames
    int position = 0;            // row within the pattern
    double offsetMs = 0;         // onset - latency - step: positive is late (behind the beat)
};

// Notes in the take's order. Onsets more than half a step before the first step (the lead-in) or
// after the last are left out; `latencyMs` (the input's round trip) is taken off every onset.
std::vector<FeedbackNote> matchOnsets(std::span<const std::int64_t> onsets, const SongSteps& steps,
                                      double latencyMs);

struct PositionOffset {
    int position = 0; // row within the pattern, 0-based
    std::size_t notes = 0;
    double meanMs = 0;
};

struct FeedbackSummary {
    std::size_t notes = 0;
    double meanMs = 0;
    double sdMs = 0;     // population standard deviation: the spread of these very notes
    double within10 = 0; // share of notes within +-10 ms, 0..1
    double within25 = 0;
    std::vector<PositionOffset> positions; // positions with notes, ascending
};
FeedbackSummary summarise(std::span<const FeedbackNote> notes);

// What reading a take found.
struct TakeAnalysis {
    TakeFormat format;
    std::int64_t frames = 0; // at 44100 Hz
    std::int64_t clippedSamples = 0;
    float peak = 0; // largest magnitude of the mono mix
    std::vector<std::int64_t> onsets;
};
// Reads the take block by block and finds its onsets; `progress`, when given, hears the share read
// so far (0..1) after each block. Throws Error naming the file.
TakeAnalysis analyseTake(std::span<const std::uint8_t> bytes, const std::string& fileLabel,
                         const OnsetSettings& settings = {},
                         const std::function<void(double)>& progress = {});

// The notes as CSV text: header "time_s,step,offset_ms", one row per note, steps counted from 1.
std::string notesCsv(std::span<const FeedbackNote> notes);
// "notes N, mean +X.X ms, sd Y.Y ms, within 10 ms P %"
std::string summaryLine(const FeedbackSummary& summary);

} // namespace tamboro
