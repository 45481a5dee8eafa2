// tamboro-cli play with extra samples: a pattern whose "Sample3" cells alternate with kit clicks,
// sample 3 named by the pattern file, played through the null device and captured. Every hit,
// sample or kit, must start on the step grid within one frame.

#include "cli/CliRunner.h"
#include "support/TempDir.h"

#include "common/Files.h"
#include "kits/Wave.h"
#include "song/PatternFile.h"
#include "song/PatternGrid.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/OnsetAnalysis.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tamboro {
namespace {

namespace fs = std::filesystem;

constexpr int kSteps = 16;
constexpr int kBpm = 120;                   // 125 ms steps: 5512.5 frames at 44100 Hz
constexpr std::int16_t kSampleLevel = 8000; // a quieter click than the kit's, to tell them apart

Wave sampleClick(std::uint32_t rate) {
    Wave::Bytes bytes;
    for (int i = 0; i < kClickFrames; ++i) {
        const auto v = static_cast<std::uint16_t>(kSampleLevel);
        bytes.push_back(static_cast<std::uint8_t>(v & 0xff));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    return Wave::pcm(1, rate, 16, std::move(bytes));
}

// Clicks.pat with "Sample3" on even steps (channel 2) and the kit click on odd steps (channel 1);
// sample 3 is `sampleFile` at `frequency`.
void writeMixedPattern(const fs::path& dir, const std::string& sampleFile, int frequency) {
    writeClickPattern(dir, kSteps, kBpm); // the click kit; the pattern is rewritten below
    PatternGrid grid;
    grid.layOut(kSteps, 4);
    grid.setName(kClickPatternName);
    for (int step = 0; step < kSteps; ++step) {
        const int row = PatternGrid::kFirstStepRow + step;
        if (step % 2 == 0)
            grid.setCell(2, row, "Sample3");
        else
            grid.setCell(1, row, "Click     [0]");
    }
    std::vector<PatternSample> samples(kExtraSampleCount, PatternSample{"Blank.wav", 44100});
    samples[2] = PatternSample{sampleFile, frequency};
    writePatternFile(dir, kClickPatternName, buildPatternFileLines(grid, kBpm, 1, samples));
}

std::vector<std::int16_t> capturedSamples(const fs::path& file) {
    const Wave wave = Wave::readFile(file);
    EXPECT_EQ(wave.channels(), 2);
    EXPECT_EQ(wave.sampleRate(), 44100u);
    std::vector<std::int16_t> s(wave.data().size() / 2);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<std::int16_t>(wave.data()[2 * i] | (wave.data()[2 * i + 1] << 8));
    return s;
}

TEST(CliPlayExtraSamples, SampleHitsLandOnTheGridLikeKitHits) {
    test::TempDir dir;
    fs::create_directories(dir.path / "samples");
    sampleClick(44100).writeFile(dir.path / "samples" / "rim.wav");
    writeMixedPattern(dir.path, (dir.path / "samples" / "rim.wav").string(), 44100);
    const fs::path capture = dir.path / "out.wav";

    const auto result =
        test::runCli({"play", kClickPatternName, "--dir", dir.path.string(), "--kit",
                      (dir.path / kClickKitFile).string(), "--audio", "null", "--capture", capture.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err.find("stays silent"), std::string::npos) << result.err;

    const std::vector<std::int16_t> pcm = capturedSamples(capture);
    const auto onsets = findOnsets(pcm, 2, 4000, 1000);
    const GridCheck grid = checkGrid(onsets, 44100.0 * 0.125, 1.0, kSteps);
    EXPECT_TRUE(grid.ok) << grid.problem << " (worst " << grid.worstDeviation << " frames)";
    ASSERT_EQ(onsets.size(), static_cast<std::size_t>(kSteps));
    // Even steps are the sample's quieter click, odd steps the kit's.
    for (std::size_t k = 0; k < onsets.size(); ++k) {
        const int level = std::abs(static_cast<int>(pcm[2 * static_cast<std::size_t>(onsets[k]) + 2]));
        const int expected = k % 2 == 0 ? kSampleLevel : kClickLevel;
        EXPECT_NEAR(level, expected, expected / 10) << "step " << k;
    }
}

TEST(CliPlayExtraSamples, AMissingSampleFileIsReportedAndTheKitStillPlays) {
    test::TempDir dir;
    writeMixedPattern(dir.path, (dir.path / "gone.wav").string(), 44100);
    const fs::path capture = dir.path / "out.wav";
    const auto result =
        test::runCli({"play", kClickPatternName, "--dir", dir.path.string(), "--kit",
                      (dir.path / kClickKitFile).string(), "--audio", "null", "--capture", capture.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("gone.wav"), std::string::npos) << result.err;
    const auto onsets = findOnsets(capturedSamples(capture), 2, 4000, 1000);
    EXPECT_EQ(onsets.size(), static_cast<std::size_t>(kSteps / 2));
}

} // namespace
} // namespace tamboro
