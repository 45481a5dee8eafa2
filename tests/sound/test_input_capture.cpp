// The sound device's input: the null device's loopback arrives frame-exact (with and without a
// round trip, whatever the block sizes), and step marks land on the frame a voice started at the
// same planned time sounds on, so notes and steps share one clock.

#include "common/Error.h"
#include "kits/Wave.h"
#include "sound/NullAudioBackend.h"
#include "sound/SoundDevice.h"
#include "testsupport/RealTime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace tamboro {
namespace {

using namespace std::chrono_literals;

// Distinct values frame by frame, so a take shifted by one frame never matches.
std::shared_ptr<const std::vector<float>> rampInput(std::size_t frames) {
    auto input = std::make_shared<std::vector<float>>(frames);
    for (std::size_t i = 0; i < frames; ++i)
        (*input)[i] = static_cast<float>(static_cast<int>(i % 20000) - 10000) / 32768.0f;
    return input;
}

struct LoopbackCase {
    std::uint32_t delay;
    std::uint32_t minBlock, maxBlock;
};

TEST(InputCapture, NullLoopbackIsFrameExact) {
    const LoopbackCase cases[] = {{0, 0, 0}, {1, 0, 0}, {441, 0, 0}, {1999, 33, 517}};
    for (const LoopbackCase& c : cases) {
        SCOPED_TRACE("delay " + std::to_string(c.delay) + ", blocks " + std::to_string(c.minBlock));
        NullAudioOptions options;
        options.input = rampInput(8000);
        options.inputDelayFrames = c.delay;
        options.minBlockFrames = c.minBlock;
        options.maxBlockFrames = c.maxBlock;
        SoundDeviceOptions deviceOptions;
        deviceOptions.recordInput = true;
        SoundDevice device(std::make_unique<NullAudioBackend>(options), deviceOptions);
        ASSERT_TRUE(device.recordsInput());
        std::this_thread::sleep_for(300ms);
        const InputTake take = device.takeInput();
        EXPECT_EQ(take.firstFrame, 0);
        EXPECT_EQ(take.lostFrames, 0u);
        ASSERT_GT(take.samples.size(), c.delay + 8000u);
        const auto& input = *options.input;
        std::size_t wrong = 0;
        for (std::size_t f = 0; f < take.samples.size(); ++f) {
            const float expected = f >= c.delay && f - c.delay < input.size() ? input[f - c.delay] : 0.0f;
            wrong += take.samples[f] != expected;
        }
        EXPECT_EQ(wrong, 0u);
    }
}

TEST(InputCapture, NoInputMeansNoRecording) {
    SoundDeviceOptions deviceOptions;
    deviceOptions.recordInput = true;
    SoundDevice device(std::make_unique<NullAudioBackend>(), deviceOptions);
    EXPECT_FALSE(device.recordsInput());
    EXPECT_THROW(device.takeInput(), Error);
}

// The mark of a planned time is the frame where a voice started at that time begins to sound in
// the output; an input started at that time begins on the same frame.
TEST(InputCapture, StepMarksMatchVoiceStartsAndInputStart) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("tamboro-input-marks-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    // Far enough ahead for the device to be made and the mark to reach the mixer in time even on a
    // slow machine; the checks do not depend on the wall clock.
    // A sanitizer build opens the device several times slower.
    const auto planned = std::chrono::steady_clock::now() + (kRealTimeFiguresHold ? 1500ms : 6000ms);
    NullAudioOptions options;
    options.capturePath = dir / "out.wav";
    options.input = std::make_shared<std::vector<float>>(std::vector<float>{0.5f, 0.25f});
    options.inputStartNs = steadyNanos(planned);
    options.minBlockFrames = 61;
    options.maxBlockFrames = 300;
    SoundDeviceOptions deviceOptions;
    deviceOptions.recordInput = true;
    SoundDevice device(std::make_unique<NullAudioBackend>(options), deviceOptions);
    const std::int16_t click[] = {16000, 16000, 0};
    auto buffer = device.createBuffer(SampleData::fromInt16(1, 44100, click));
    std::vector<std::uint32_t> ids;
    device.onStepMarked([&](std::uint32_t id) { ids.push_back(id); });
    std::this_thread::sleep_until(planned - 100ms);
    {
        SoundDevice::ScheduledStarts onTheBeat(device, planned);
        buffer->play(false);
    }
    std::this_thread::sleep_for(200ms);
    const InputTake take = device.takeInput();
    ASSERT_EQ(ids, std::vector<std::uint32_t>{0});
    ASSERT_EQ(take.marks.size(), 1u);
    const auto out = SampleData::fromWave(Wave::readFile(options.capturePath));
    std::int64_t sounding = -1;
    for (std::size_t f = 0; f < out->frames() && sounding < 0; ++f)
        if (out->sampleAt(f, 0) != 0.0f)
            sounding = static_cast<std::int64_t>(f);
    ASSERT_GE(sounding, 0);
    // Half a second of silence before the click, unless a sanitizer made opening the device slow.
    if (kRealTimeFiguresHold) {
        EXPECT_GT(sounding, 44100 / 2);
    }
    EXPECT_EQ(take.marks[0].frame, sounding);
    const auto heard = take.marks[0].frame - take.firstFrame;
    ASSERT_GE(heard, 1);
    ASSERT_LT(heard + 1, static_cast<std::int64_t>(take.samples.size()));
    EXPECT_EQ(take.samples[heard - 1], 0.0f);
    EXPECT_EQ(take.samples[heard], 0.5f);
    EXPECT_EQ(take.samples[heard + 1], 0.25f);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace tamboro
