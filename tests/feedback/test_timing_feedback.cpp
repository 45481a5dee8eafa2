// Timing feedback on takes we synthesise: plucked strings, muted strums and claps at known offsets
// of -40..+40 ms from the steps of a song with three tempos, over a -40 dBFS noise floor, at the
// render rate and at 48 kHz (resampled); the latency subtraction; the matching and the summary.
#include "feedback/TimingFeedback.h"
#include "render/RenderScript.h"
#include "testsupport/SyntheticTake.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>

using namespace tamboro;

namespace {

RenderSong demoSong() {
    return readRenderSong(std::filesystem::path(TAMBORO_ASSETS) / "demo",
                          {"Rock Beat", "Funk Groove", "Shuffle", "Rock Beat", "Funk Groove", "Shuffle"}, 0);
}

struct Truth {
    std::map<std::size_t, double> offsetByStep; // every second step
};

struct Scores {
    std::size_t expected = 0, found = 0, falseNotes = 0;
    double worstErrorMs = 0;
};

// Synthesises a take of `kind` notes (all three in turn for nullopt) at `rate`, with the player's
// onsets `latencyMs` late, analyses it and scores the notes against the truth.
Scores runTake(std::optional<SyntheticNote> kind, int rate, double latencyMs, std::uint32_t seed) {
    const SongSteps steps = songSteps(demoSong());
    SyntheticTake take(rate, static_cast<double>(steps.endFrame) / kTakeRate + 1.0, 0.01, seed);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> offset(-40.0, 40.0), level(0.25, 0.6);
    Truth truth;
    for (std::size_t s = 0; s < steps.frames.size(); s += 2) {
        const double ms = offset(random);
        truth.offsetByStep[s] = ms;
        const SyntheticNote note = kind ? *kind : static_cast<SyntheticNote>((s / 2) % 3);
        take.addNote(note, static_cast<double>(steps.frames[s]) / kTakeRate + (ms + latencyMs) / 1000.0,
                     level(random));
    }
    const auto bytes = monoWav16(take.samples(), rate);
    const TakeAnalysis analysis = analyseTake(bytes, "take.wav");
    const auto notes = matchOnsets(analysis.onsets, steps, latencyMs);
    Scores scores;
    scores.expected = truth.offsetByStep.size();
    std::map<std::size_t, bool> seen;
    for (const FeedbackNote& note : notes) {
        const auto it = truth.offsetByStep.find(note.step);
        if (it == truth.offsetByStep.end() || seen[note.step]) {
            ++scores.falseNotes;
            continue;
        }
        seen[note.step] = true;
        ++scores.found;
        scores.worstErrorMs = std::max(scores.worstErrorMs, std::fabs(note.offsetMs - it->second));
    }
    return scores;
}

} // namespace

TEST(TimingFeedback, SynthesisedTakesMeetTheGoals) {
    struct Case {
        const char* name;
        std::optional<SyntheticNote> kind;
        int rate;
        double latencyMs;
    };
    const Case cases[] = {
        {"plucked strings", SyntheticNote::Pluck, 44100, 0},
        {"muted strums", SyntheticNote::MutedStrum, 44100, 0},
        {"claps", SyntheticNote::Clap, 44100, 0},
        {"all three at 48 kHz", std::nullopt, 48000, 0},
        {"all three, 23.5 ms latency", std::nullopt, 44100, 23.5},
    };
    std::uint32_t seed = 7;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Scores s = runTake(c.kind, c.rate, c.latencyMs, seed++);
        std::printf("%s: %zu of %zu notes, %zu false, worst error %.2f ms\n", c.name, s.found, s.expected,
                    s.falseNotes, s.worstErrorMs);
        EXPECT_GE(static_cast<double>(s.found), 0.98 * static_cast<double>(s.expected));
        EXPECT_LE(static_cast<double>(s.falseNotes), 0.02 * static_cast<double>(s.expected));
        EXPECT_LE(s.worstErrorMs, 2.0);
    }
}

TEST(TimingFeedback, StepsFollowTheRendersClockAcrossTempos) {
    const RenderSong song = demoSong();
    const SongSteps steps = songSteps(song);
    ASSERT_EQ(steps.frames.size(), 2u * (3 * 16 + 3 * 16 + 2 * 24));
    // The lead-in is the first pattern's step rounded to whole milliseconds.
    EXPECT_EQ(steps.frames[0], std::llround(44100.0 * stepIntervalMs(112) / 1000.0));
    // Within an entry the steps are its tempo's sixteenths; the positions count its rows.
    EXPECT_NEAR(static_cast<double>(steps.frames[1] - steps.frames[0]), 44100 * 15.0 / 112, 1.0);
    EXPECT_NEAR(static_cast<double>(steps.frames[49] - steps.frames[48]), 44100 * 15.0 / 98, 1.0);
    EXPECT_EQ(steps.positions[17], 1);
    EXPECT_EQ(steps.positions[96 + 30], 6);
    EXPECT_GT(steps.endFrame, steps.frames.back());
}

TEST(TimingFeedback, OnsetsMatchTheNearestStepWithinTheGrid) {
    SongSteps steps;
    steps.frames = {4410, 8820, 13230};
    steps.positions = {0, 1, 0};
    steps.endFrame = 17640;
    struct Case {
        std::int64_t onset;
        double latencyMs;
        long step; // -1: left out
        double offsetMs;
    };
    const Case cases[] = {
        {2000, 0, -1, 0},                           // the lead-in: more than half a step before the first
        {4410 - 441, 0, 0, -10},  {6615, 0, 0, 50}, // exactly between two steps: the earlier
        {6616, 0, 1, -49.977},    {8820 + 441, 10, 1, 0},   // latency taken off
        {13230 + 2205, 0, 2, 50}, {13230 + 2206, 0, -1, 0}, // past the song's last half step
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.onset);
        const std::int64_t onset[] = {c.onset};
        const auto notes = matchOnsets(onset, steps, c.latencyMs);
        if (c.step < 0) {
            EXPECT_TRUE(notes.empty());
            continue;
        }
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].step, static_cast<std::size_t>(c.step));
        EXPECT_NEAR(notes[0].offsetMs, c.offsetMs, 0.001);
    }
}

TEST(TimingFeedback, SummaryFiguresAndOutputText) {
    const std::vector<FeedbackNote> notes = {
        {44100, 0, 0, -8.0}, {88200, 1, 1, 12.0}, {132300, 2, 0, 30.0}, {176400, 4, 0, 2.0}};
    const FeedbackSummary s = summarise(notes);
    EXPECT_EQ(s.notes, 4u);
    EXPECT_DOUBLE_EQ(s.meanMs, 9.0);
    EXPECT_NEAR(s.sdMs, std::sqrt((17.0 * 17 + 3 * 3 + 21 * 21 + 7 * 7) / 4), 1e-9);
    EXPECT_DOUBLE_EQ(s.within10, 0.5);
    EXPECT_DOUBLE_EQ(s.within25, 0.75);
    ASSERT_EQ(s.positions.size(), 2u);
    EXPECT_EQ(s.positions[0].notes, 3u);
    EXPECT_NEAR(s.positions[0].meanMs, 8.0, 1e-9);
    EXPECT_EQ(summaryLine(s), "notes 4, mean +9.0 ms, sd 14.0 ms, within 10 ms 50 %");
    EXPECT_EQ(notesCsv(std::span(notes).first(2)),
              "time_s,step,offset_ms\n1.000000,1,-8.00\n2.000000,2,12.00\n");
    EXPECT_EQ(summaryLine(summarise({})), "notes 0, mean +0.0 ms, sd 0.0 ms, within 10 ms 0 %");
}
