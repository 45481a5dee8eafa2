// tamboro-cli feedback with the practice options: a take played along with a practice track that
// `render` made with a count-in and swing is measured against that track's steps (the count-in's
// notes ignored), with the figures the window gives; bad practice values are refused naming the
// option, nothing written.
#include "cli/CliRunner.h"
#include "common/Files.h"
#include "feedback/TakeFeedback.h"
#include "feedback/TakeReader.h"
#include "kits/Wave.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/SyntheticTake.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <sstream>
#include <vector>

using namespace tamboro;

namespace {

std::string lastLine(const std::string& text) {
    const auto end = text.find_last_not_of('\n');
    const auto start = text.rfind('\n', end);
    return text.substr(start + 1, end - start);
}

// The first frame of every click of a rendered track: the first loud frame after 34 ms without
// one (a metronome click rings on for up to 50 ms; swung steps are 100 ms apart).
std::vector<std::int64_t> clickFrames(const std::filesystem::path& wav) {
    const std::vector<std::uint8_t> bytes = readFileBytes(wav);
    TakeReader reader(bytes, wav.string());
    std::vector<float> block(4096);
    std::vector<std::int64_t> frames;
    std::int64_t at = 0, lastLoud = -100000;
    while (const std::size_t n = reader.read(block)) {
        for (std::size_t i = 0; i < n; ++i, ++at) {
            if (std::abs(block[i]) <= 0.1f)
                continue;
            if (at - lastLoud > 1500)
                frames.push_back(at);
            lastLoud = at;
        }
    }
    return frames;
}

struct FeedbackPractice : ::testing::Test {
    test::TempDir dir;
    std::string pattern = std::string(kClickPatternName) + ".pat";
    void SetUp() override {
        writeClickPattern(dir.path, 16, 120); // 125 ms steps
        std::filesystem::create_directories(dir.path / "temp");
        Wave::pcm(2, 44100, 16, std::vector<std::uint8_t>(400, 0)).writeFile(dir.path / "Blank.wav");
    }
    test::CliResult feedback(const std::string& take, const std::string& csv,
                             const std::vector<std::string>& options) const {
        std::vector<std::string> args{"feedback", take, pattern, "--dir", dir.path.string(), "-o", csv};
        args.insert(args.end(), options.begin(), options.end());
        return test::runCli(args);
    }
};

TEST_F(FeedbackPractice, TakeAlongACountInAndSwingIsMeasuredAgainstThePracticeTrack) {
    const std::vector<std::string> options{"--count-in", "1", "--swing", "60", "--click"};
    std::vector<std::string> render{"render", pattern,
                                    "--dir",  dir.path.string(),
                                    "--kit",  (dir.path / kClickKitFile).string(),
                                    "-o",     (dir.path / "track.wav").string()};
    render.insert(render.end(), options.begin(), options.end());
    const auto rendered = test::runCli(render);
    ASSERT_EQ(rendered.status, 0) << rendered.err;
    // The pattern's 16 clicks come last, after the count-in's; every second one swung 25 ms late.
    const std::vector<std::int64_t> clicks = clickFrames(dir.path / "track.wav");
    ASSERT_GT(clicks.size(), 16u);
    const std::vector<std::int64_t> steps(clicks.end() - 16, clicks.end());
    EXPECT_NEAR(static_cast<double>(steps[1] - steps[0]), 0.150 * 44100, 2);
    EXPECT_NEAR(static_cast<double>(steps[2] - steps[1]), 0.100 * 44100, 2);

    // Notes on every third step at known offsets, and two during the count-in (no notes).
    SyntheticTake take(44100, static_cast<double>(steps.back()) / kTakeRate + 0.6, 0.01, 11);
    take.addNote(SyntheticNote::Clap, static_cast<double>(clicks[0]) / kTakeRate + 0.3, 0.5);
    take.addNote(SyntheticNote::Clap, static_cast<double>(clicks[0]) / kTakeRate + 1.1, 0.5);
    const double offsetsMs[] = {-18, -7, 0, 5, 12, 26};
    for (std::size_t n = 0; n < 6; ++n)
        take.addNote(n % 2 ? SyntheticNote::Clap : SyntheticNote::Pluck,
                     static_cast<double>(steps[3 * n]) / kTakeRate + offsetsMs[n] / 1000, 0.5);
    const std::filesystem::path wav = dir.path / "take.wav";
    writeFileAtomically(wav, monoWav16(take.samples(), 44100));

    const std::string csv = (dir.path / "notes.csv").string();
    const auto r = feedback(wav.string(), csv, options);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::uint8_t> csvBytes = readFileBytes(csv);
    std::istringstream rows(std::string(csvBytes.begin(), csvBytes.end()));
    std::string row;
    std::getline(rows, row);
    std::size_t n = 0;
    for (; std::getline(rows, row); ++n) {
        ASSERT_LT(n, 6u) << row;
        double time = 0, offset = 0;
        int step = 0;
        char c1 = 0, c2 = 0;
        std::istringstream(row) >> time >> c1 >> step >> c2 >> offset;
        EXPECT_EQ(step, static_cast<int>(3 * n + 1)) << row;
        EXPECT_NEAR(offset, offsetsMs[n], 1.0) << row;
    }
    EXPECT_EQ(n, 6u);
    EXPECT_TRUE(lastLine(r.out).starts_with("notes 6, mean +3.")) << r.out;

    // The window's analysis of the same take with the same settings gives the same line.
    PracticeSettings settings;
    settings.countIn = 1;
    settings.swing = 60;
    settings.click = true;
    const RenderSong song = readRenderSong(dir.path, {kClickPatternName}, 0);
    EXPECT_EQ(lastLine(r.out), summaryLine(analyseTakeFile(wav, takeSteps(song, settings), 0).summary));
    // Without the options the count-in's claps count and the swung notes are a swing off.
    const auto plain = feedback(wav.string(), (dir.path / "plain.csv").string(), {});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(lastLine(plain.out), lastLine(r.out));
}

TEST_F(FeedbackPractice, BadPracticeValuesAreRefusedNamingTheOption) {
    const std::filesystem::path wav = dir.path / "take.wav";
    writeFileAtomically(wav, monoWav16(SyntheticTake(44100, 3, 0.01, 2).samples(), 44100));
    const std::string csv = (dir.path / "notes.csv").string();
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--swing", "80"},
                                               {"--section", "1-2"},
                                               {"--minutes", "0.01"},
                                               {"--plays", "2", "--minutes", "3"}}) {
        SCOPED_TRACE(bad[0] + " " + bad[1]);
        const auto r = feedback(wav.string(), csv, bad);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find("feedback: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(bad[0]), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(csv));
    }
}

} // namespace
