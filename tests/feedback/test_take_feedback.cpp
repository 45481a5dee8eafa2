// One take against one song through analyseTakeFile (what the CLI and the window both run), its
// warnings, and the words a player reads for each position of the pattern.
#include "common/Error.h"
#include "common/Files.h"
#include "feedback/TakeFeedback.h"
#include "testsupport/SyntheticTake.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tamboro;

TEST(TakeFeedback, PositionsReadAsAPlayerCounts) {
    const struct {
        int position;
        double meanMs;
        const char* sentence;
    } cases[] = {
        {0, 0.4, "you land beat 1 right on time"},
        {8, 18.2, "you land beat 3 late by 18 ms"},
        {1, -4.6, "you land the e of beat 1 early by 5 ms"},
        {6, 2.0, "you land the & of beat 2 late by 2 ms"},
        {15, -30.0, "you land the a of beat 4 early by 30 ms"},
        {16, 7.0, "you land beat 5 late by 7 ms"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(positionSentence({c.position, 3, c.meanMs}), c.sentence) << c.position;
}

TEST(TakeFeedback, AnalysesAFileReportsProgressAndSaysWhatIsOdd) {
    test::TempDir dir;
    const RenderSong song = readRenderSong(std::filesystem::path(TAMBORO_ASSETS) / "demo", {"Rock Beat"}, 0);
    const SongSteps steps = songSteps(song);
    // Half the song, at 48 kHz, every fourth step 12 ms early.
    SyntheticTake take(48000, static_cast<double>(steps.endFrame) / kTakeRate / 2, 0.01, 5);
    std::size_t written = 0;
    for (std::size_t s = 0; s < steps.frames.size() / 2; s += 4, ++written)
        take.addNote(SyntheticNote::Clap, static_cast<double>(steps.frames[s]) / kTakeRate - 0.012, 0.5);
    const auto file = dir.path / "take.wav";
    writeFileAtomically(file, monoWav16(take.samples(), 48000));

    double last = -1;
    bool rising = true;
    const TakeFeedback feedback = analyseTakeFile(file, song, 0, [&](double share) {
        rising = rising && share >= last;
        last = share;
    });
    EXPECT_TRUE(rising);
    EXPECT_NEAR(last, 1.0, 0.01);
    EXPECT_EQ(feedback.summary.notes, written);
    EXPECT_NEAR(feedback.summary.meanMs, -12.0, 2.0);
    ASSERT_EQ(feedback.summary.positions.size(), 4u);
    const auto warnings = takeWarnings(file, feedback);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], file.string() + ": recorded at 48000 Hz, resampled to 44100 Hz");
    EXPECT_NE(warnings[1].find("is shorter than the song"), std::string::npos);

    // A file that is not a take fails naming it.
    const auto bad = dir.path / "bad.wav";
    writeFileAtomically(bad, std::string("RIFF nonsense"));
    try {
        analyseTakeFile(bad, song, 0);
        FAIL() << "a bad take was analysed";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(bad.string()), std::string::npos) << e.what();
    }
}
