#include "feedback/TimingFeedback.h"

#include "render/PracticeTrack.h"
#include "render/StepClock.h"
#include "song/PracticeSchedule.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace tamboro {

SongSteps songSteps(const RenderSong& song) {
    SongSteps steps;
    const auto& segments = song.script.segments();
    forEachRenderStep(song, [&](std::size_t segment, std::int64_t row, std::int64_t frame) {
        steps.frames.push_back(frame);
        steps.positions.push_back(static_cast<int>(row % segments[segment].steps));
    });
    if (!steps.frames.empty())
        steps.endFrame = renderFrameAt(song.firstStepSeconds + song.songSeconds);
    return steps;
}

SongSteps practiceSongSteps(const RenderSong& song, const PracticeSettings& settings, int plays) {
    SongSteps steps;
    const PracticeSequence sequence(practiceEntries(song), settings);
    // The render's walk: each step starts where the one before ended, a swung one delayed.
    double t = sequence.leadInSeconds();
    for (const PracticePass& pass : schedulePractice(sequence, plays)) {
        for (int step = 0; step < pass.steps; ++step) {
            if (pass.playedPass >= 0) {
                steps.frames.push_back(renderFrameAt(t + settings.swingDelay(step, pass.stepSeconds)));
                steps.positions.push_back(step);
            }
            t += pass.stepSeconds;
        }
    }
    if (!steps.frames.empty())
        steps.endFrame = renderFrameAt(t);
    return steps;
}

SongSteps takeSteps(const RenderSong& song, const PracticeSettings& settings, std::optional<int> plays,
                    std::optional<double> minutes) {
    const PracticeSettings unchanged;
    const bool moved = settings.countIn != unchanged.countIn || settings.tempoScale != unchanged.tempoScale ||
                       settings.speedTrainer || settings.sectionFrom != unchanged.sectionFrom ||
                       settings.sectionTo != unchanged.sectionTo || settings.swing != unchanged.swing;
    // More than one play repeats the song's steps after its end, so those come from the track too.
    if (!moved && !minutes && plays.value_or(1) == 1)
        return songSteps(song);
    return practiceSongSteps(song, settings, practiceTrackPlays(song, settings, plays, minutes));
}

std::vector<FeedbackNote> matchOnsets(std::span<const std::int64_t> onsets, const SongSteps& steps,
                                      double latencyMs) {
    std::vector<FeedbackNote> notes;
    const auto& frames = steps.frames;
    if (frames.empty())
        return notes;
    const double latencyFrames = latencyMs * kTakeRate / 1000.0;
    // Half a step before the first and after the last: the edges of the grid.
    const double firstEdge =
        static_cast<double>(frames.front()) -
        (frames.size() > 1 ? static_cast<double>(frames[1] - frames[0]) : static_cast<double>(frames[0])) / 2;
    const double lastEdge =
        static_cast<double>(frames.back()) + static_cast<double>(steps.endFrame - frames.back()) / 2;
    for (const std::int64_t onset : onsets) {
        const double at = static_cast<double>(onset) - latencyFrames;
        if (at < firstEdge || at > lastEdge)
            continue;
        auto next = std::lower_bound(frames.begin(), frames.end(), static_cast<std::int64_t>(std::ceil(at)));
        if (next == frames.end() || (next != frames.begin() && at - static_cast<double>(*std::prev(next)) <=
                                                                   static_cast<double>(*next) - at))
            --next;
        FeedbackNote note;
        note.onsetFrame = onset;
        note.step = static_cast<std::size_t>(next - frames.begin());
        note.position = steps.positions[note.step];
        note.offsetMs = (at - static_cast<double>(*next)) * 1000.0 / kTakeRate;
        notes.push_back(note);
    }
    return notes;
}

FeedbackSummary summarise(std::span<const FeedbackNote> notes) {
    FeedbackSummary summary;
    summary.notes = notes.size();
    if (notes.empty())
        return summary;
    std::map<int, std::pair<std::size_t, double>> byPosition;
    double sum = 0;
    std::size_t within10 = 0, within25 = 0;
    for (const FeedbackNote& note : notes) {
        sum += note.offsetMs;
        within10 += std::fabs(note.offsetMs) <= 10.0;
        within25 += std::fabs(note.offsetMs) <= 25.0;
        auto& position = byPosition[note.position];
        ++position.first;
        position.second += note.offsetMs;
    }
    const double n = static_cast<double>(notes.size());
    summary.meanMs = sum / n;
    double squares = 0;
    for (const FeedbackNote& note : notes)
        squares += (note.offsetMs - summary.meanMs) * (note.offsetMs - summary.meanMs);
    summary.sdMs = std::sqrt(squares / n);
    summary.within10 = static_cast<double>(within10) / n;
    summary.within25 = static_cast<double>(within25) / n;
    for (const auto& [position, tally] : byPosition)
        summary.positions.push_back({position, tally.first, tally.second / static_cast<double>(tally.first)});
    return summary;
}

TakeAnalysis analyseTake(std::span<const std::uint8_t> bytes, const std::string& fileLabel,
                         const OnsetSettings& settings, const std::function<void(double)>& progress) {
    TakeReader reader(bytes, fileLabel);
    OnsetDetector detector(kTakeRate, settings);
    TakeAnalysis analysis;
    analysis.format = reader.format();
    std::vector<float> block(8192);
    while (const std::size_t n = reader.read(block)) {
        const std::span<const float> frames(block.data(), n);
        for (const float sample : frames)
            analysis.peak = std::max(analysis.peak, std::fabs(sample));
        detector.feed(frames);
        analysis.frames += static_cast<std::int64_t>(n);
        if (progress)
            progress(std::min(
                1.0, static_cast<double>(analysis.frames) /
                         static_cast<double>(std::max<std::int64_t>(1, analysis.format.framesAtTakeRate()))));
    }
    detector.finish();
    analysis.clippedSamples = reader.clippedSamples();
    analysis.onsets = detector.onsets();
    return analysis;
}

std::string notesCsv(std::span<const FeedbackNote> notes) {
    std::string text = "time_s,step,offset_ms\n";
    char row[96];
    for (const FeedbackNote& note : notes) {
        std::snprintf(row, sizeof row, "%.6f,%zu,%.2f\n", static_cast<double>(note.onsetFrame) / kTakeRate,
                      note.step + 1, note.offsetMs);
        text += row;
    }
    return text;
}

std::string summaryLine(const FeedbackSummary& summary) {
    char line[128];
    std::snprintf(line, sizeof line, "notes %zu, mean %+.1f ms, sd %.1f ms, within 10 ms %.0f %%",
                  summary.notes, summary.meanMs, summary.sdMs, summary.within10 * 100.0);
    return line;
}

} // namespace tamboro
