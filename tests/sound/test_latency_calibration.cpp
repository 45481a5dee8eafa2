// Input latency calibration finds a known round trip of the null device's loopback to the frame
// (the goal is within 1 ms), and says so when the input holds no clicks.

#include "common/Error.h"
#include "kits/ClickSynth.h"
#include "sound/LatencyCalibration.h"
#include "sound/NullAudioBackend.h"
#include "sound/SoundDevice.h"

#include <gtest/gtest.h>

#include <random>

namespace tamboro {
namespace {

SoundDevice loopbackDevice(std::uint32_t delayFrames, std::uint32_t minBlock = 0,
                           std::uint32_t maxBlock = 0) {
    NullAudioOptions options;
    options.loopback = true;
    options.inputDelayFrames = delayFrames;
    options.minBlockFrames = minBlock;
    options.maxBlockFrames = maxBlock;
    SoundDeviceOptions deviceOptions;
    deviceOptions.recordInput = true;
    return SoundDevice(std::make_unique<NullAudioBackend>(options), deviceOptions);
}

TEST(LatencyCalibration, FindsTheLoopbackDelay) {
    struct Case {
        std::uint32_t delay, minBlock, maxBlock;
    };
    const Case cases[] = {{0, 0, 0}, {1, 0, 0}, {113, 0, 0}, {441, 64, 700}, {5513, 0, 0}, {10000, 33, 1024}};
    CalibrationOptions options;
    options.clicks = 3;
    options.intervalSeconds = 0.35;
    options.maxLatencySeconds = 0.25;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delay);
        SoundDevice device = loopbackDevice(c.delay, c.minBlock, c.maxBlock);
        const LatencyFinding found = calibrateInputLatency(device, clickWave(ClickVoice::Accent), options);
        ASSERT_TRUE(found.found) << found.problem;
        EXPECT_NEAR(found.latencyMs, c.delay * 1000.0 / 44100, 1.0);
        EXPECT_EQ(found.lagFrames, c.delay);
        EXPECT_GT(found.match, 0.99);
    }
}

TEST(LatencyCalibration, SilenceOrNoiseIsNotAClick) {
    const Wave click = clickWave(ClickVoice::Accent);
    std::vector<float> clickSamples;
    auto sample = SampleData::fromWave(click);
    for (std::size_t i = 0; i < 882; ++i)
        clickSamples.push_back(sample->sampleAt(i, 0));
    InputTake take;
    take.rate = 44100;
    take.samples.assign(44100, 0.0f);
    take.marks = {{0, 1000}, {1, 20000}};
    LatencyFinding found = findClickLag(take, clickSamples, 10000);
    EXPECT_FALSE(found.found);
    EXPECT_EQ(found.problem, "the input stayed silent");
    std::mt19937 random(3);
    std::normal_distribution<float> noise(0.0f, 0.1f);
    for (float& s : take.samples)
        s = noise(random);
    found = findClickLag(take, clickSamples, 10000);
    EXPECT_FALSE(found.found);
    EXPECT_LT(found.match, kMinMatch);
    take.marks.clear();
    EXPECT_FALSE(findClickLag(take, clickSamples, 10000).found);

    SoundDevice outputOnly(std::make_unique<NullAudioBackend>());
    EXPECT_THROW(calibrateInputLatency(outputOnly, click), Error);
}

} // namespace
} // namespace tamboro
