// A take played along with a practice track is measured against the track's steps: a count-in
// moves every step back by its passes and its own steps are no notes, a tempo scale stretches
// them, swing delays every second one; settings that only change what sounds leave the plain
// render's steps.
#include "feedback/TimingFeedback.h"
#include "render/RenderScript.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/SyntheticTake.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tamboro;

namespace {

struct PracticeStepsTest : ::testing::Test {
    test::TempDir dir;
    RenderSong song;
    SongSteps plain;
    void SetUp() override {
        writeClickPattern(dir.path, 16, 120); // 125 ms steps
        song = readRenderSong(dir.path, {kClickPatternName}, 0);
        plain = songSteps(song);
        ASSERT_EQ(plain.frames.size(), 16u);
    }
};

TEST_F(PracticeStepsTest, TimingSettingsMoveTheStepsAndOthersLeaveThem) {
    const std::int64_t step = 5512; // 125 ms at 44100 Hz, rounded down
    struct Case {
        const char* name;
        PracticeSettings settings;
        std::int64_t shift;     // of the first step against the plain render's
        double interval;        // frames between steps
        std::int64_t swungLate; // extra delay of every second step
    };
    PracticeSettings countIn, slower, swung, clickOnly;
    countIn.countIn = 1;
    slower.tempoScale = 50;
    swung.swing = 60;
    clickOnly.click = true;
    clickOnly.dropPercent = 20;
    for (const Case& c :
         {Case{"count-in", countIn, 88200, 5512.5, 0}, // one pass of 16 steps: 2 s
          Case{"half tempo (a lead-in step of its own length too)", slower, step, 11025, 0},
          Case{"swing 60", swung, 0, 5512.5, 1102}, Case{"click and dropper", clickOnly, 0, 5512.5, 0}}) {
        SCOPED_TRACE(c.name);
        const SongSteps steps = takeSteps(song, c.settings);
        ASSERT_EQ(steps.frames.size(), plain.frames.size()) << "the count-in's steps are no notes";
        for (std::size_t i = 0; i < steps.frames.size(); ++i) {
            const double expected = static_cast<double>(plain.frames[0] + c.shift) + c.interval * i +
                                    static_cast<double>(i % 2 ? c.swungLate : 0);
            EXPECT_NEAR(static_cast<double>(steps.frames[i]), expected, 2.0) << "step " << i;
            EXPECT_EQ(steps.positions[i], static_cast<int>(i));
        }
    }
}

TEST_F(PracticeStepsTest, NotesOfATakeWithACountInLandOnTheirSteps) {
    PracticeSettings settings;
    settings.countIn = 1;
    const SongSteps steps = takeSteps(song, settings);
    SyntheticTake take(44100, static_cast<double>(steps.endFrame) / kTakeRate + 0.5, 0.01, 3);
    // Two notes during the count-in (ignored), then one on every second step, 6 ms late.
    take.addNote(SyntheticNote::Clap, static_cast<double>(plain.frames[4]) / kTakeRate, 0.5);
    take.addNote(SyntheticNote::Clap, static_cast<double>(plain.frames[8]) / kTakeRate, 0.5);
    for (std::size_t s = 0; s < steps.frames.size(); s += 2)
        take.addNote(SyntheticNote::Pluck, static_cast<double>(steps.frames[s]) / kTakeRate + 0.006, 0.5);
    const TakeAnalysis analysis = analyseTake(monoWav16(take.samples(), 44100), "take");
    const std::vector<FeedbackNote> notes = matchOnsets(analysis.onsets, steps, 0);
    ASSERT_EQ(notes.size(), 8u);
    for (const FeedbackNote& note : notes)
        EXPECT_NEAR(note.offsetMs, 6.0, 1.0) << "step " << note.step;
    // Against the plain render's steps only the count-in's notes would count.
    EXPECT_EQ(matchOnsets(analysis.onsets, plain, 0).size(), 2u);
}

} // namespace
