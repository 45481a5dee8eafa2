// Live playback through the null device, measured in its recording: every click of a click pattern
// must start within one frame of the tempo grid, none missing or doubled, also when the tempo is
// changed between runs. The look-ahead is generous here so a busy test machine cannot make a
// tick miss its frame; the benchmark measures the real margins.

#include "kits/DrumKit.h"
#include "song/PatternFile.h"
#include "sound/EventLoop.h"
#include "sound/InstrumentList.h"
#include "sound/KitVoices.h"
#include "sound/NullAudioBackend.h"
#include "sound/PlaybackState.h"
#include "sound/SampleStreams.h"
#include "sound/SoundDevice.h"
#include "sound/Tempo.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/OnsetAnalysis.h"
#include "testsupport/RealTime.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace tamboro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A scratch folder per test and process: runs from other build folders use the same temp folder.
struct ScratchDir {
    fs::path path;
    explicit ScratchDir(const std::string& name)
        : path(fs::temp_directory_path() / ("tamboro-sound-" + name + "-" + std::to_string(::getpid()))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

std::vector<std::int16_t> samplesOf(const Wave& wave) {
    std::vector<std::int16_t> samples(wave.data().size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(wave.data()[2 * i] | (wave.data()[2 * i + 1] << 8));
    return samples;
}

// Plays the click pattern of `steps` steps at `bpm` and returns the recording.
Wave playClicks(const fs::path& dir, int steps, int bpm, std::uint32_t bufferFrames) {
    writeClickPattern(dir, steps, bpm);
    DrumKit kit;
    kit.loadFromFile(dir / kClickKitFile);
    const PatternFileData pattern = readPatternFile(dir / (std::string(kClickPatternName) + ".pat"));
    const fs::path recording = dir / "recording.wav";
    {
        NullAudioOptions options;
        options.bufferFrames = bufferFrames;
        options.capturePath = recording;
        SoundDevice device(std::make_unique<NullAudioBackend>(options), SoundDeviceOptions{1024, 4 * 1024});
        EventLoop loop;
        PatternGrid grid;
        loadPatternIntoGrid(grid, pattern);
        InstrumentList instruments;
        instruments.fill(kit);
        KitVoices voices(kit);
        PlaybackState playback(loop, device, grid, instruments, voices, nullptr);
        playback.setBpm(pattern.bpm);
        loop.runFor(50ms);
        playback.playPattern();
        EXPECT_TRUE(loop.runUntil([&] { return !playback.patternPlaying(); }, 60s));
        loop.runFor(200ms);
        if (kRealTimeFiguresHold) {
            EXPECT_EQ(device.lateStarts(), 0u);
        }
        voices.finalize();
        device.close();
    }
    return Wave::readFile(recording);
}

TEST(LiveTiming, EveryClickOnTheGrid) {
    struct Case {
        int bpm;
        int steps;
        std::uint32_t buffer;
    } cases[] = {{120, 16, 256}, {300, 24, 441}, {60, 6, 37}};
    for (const auto& c : cases) {
        ScratchDir dir("timing-" + std::to_string(c.bpm));
        const Wave recording = playClicks(dir.path, c.steps, c.bpm, c.buffer);
        const auto samples = samplesOf(recording);
        const double period = stepIntervalForBpm(c.bpm) / 1000.0 * recording.sampleRate();
        const auto onsets = findOnsets(samples, 2, kClickLevel / 2, static_cast<std::size_t>(period / 2));
        const GridCheck check = checkGrid(onsets, period, 1.0, static_cast<std::size_t>(c.steps));
        if (kRealTimeFiguresHold) {
            EXPECT_TRUE(check.ok) << c.bpm << " BPM: " << check.problem;
        }
        // Only the clicks sound: each is the click wave at full level.
        if (!onsets.empty()) {
            EXPECT_NEAR(samples[2 * static_cast<std::size_t>(onsets[0])], 16383, 1);
            EXPECT_EQ(samples[2 * (static_cast<std::size_t>(onsets[0]) + kClickFrames)], 0);
        }
    }
}

TEST(OnsetAnalysis, FindsClicksAndJudgesTheGrid) {
    std::vector<std::int16_t> mono(1000, 0);
    for (std::size_t at : {10u, 210u, 411u, 609u})
        for (std::size_t i = 0; i < 5; ++i)
            mono[at + i] = static_cast<std::int16_t>(i % 2 ? -9000 : 9000);
    const auto onsets = findOnsets(mono, 1, 8000, 50);
    EXPECT_EQ(onsets, (std::vector<std::int64_t>{10, 210, 411, 609}));
    EXPECT_TRUE(checkGrid(onsets, 200.0, 1.0, 4).ok);
    EXPECT_FALSE(checkGrid(onsets, 200.0, 0.5, 4).ok);
    EXPECT_FALSE(checkGrid(onsets, 200.0, 1.0, 5).ok);
    EXPECT_FALSE(checkGrid({}, 200.0, 1.0, 0).ok);
}

} // namespace
} // namespace tamboro
