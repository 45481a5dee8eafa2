// The mixer against analytic expectations: gain and pan law, resampling, block sizes, sample
// formats, loops, and sample-accurate starts.

#include "sound/Mixer.h"
#include "sound/SoundLaw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

namespace tamboro {
namespace {

constexpr std::int64_t kSecond = 1'000'000'000;

std::shared_ptr<const SampleData> ramp(std::size_t frames, std::uint32_t rate = 44100) {
    std::vector<std::int16_t> s(frames);
    for (std::size_t i = 0; i < frames; ++i)
        s[i] = static_cast<std::int16_t>(i * 16);
    return SampleData::fromInt16(1, rate, s);
}

MixerCommand attach(std::uint32_t slot, const SampleData* data) {
    MixerCommand c;
    c.kind = MixerCommand::Kind::Attach;
    c.slot = slot;
    c.data = data;
    return c;
}

MixerCommand start(std::uint32_t slot, std::int64_t timeNs = kAtOnce, double step = 1.0, StereoGains g = {},
                   bool looping = false) {
    MixerCommand c;
    c.kind = MixerCommand::Kind::Start;
    c.slot = slot;
    c.timeNs = timeNs;
    c.step = step;
    c.gainLeft = g.left;
    c.gainRight = g.right;
    c.looping = looping;
    return c;
}

std::vector<float> renderBlocks(Mixer& mixer, std::size_t total, std::uint32_t block) {
    std::vector<float> out(2 * total);
    for (std::size_t done = 0; done < total;) {
        const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(block, total - done));
        mixer.render(out.data() + 2 * done, n, 0);
        done += n;
    }
    return out;
}

TEST(SoundLaw, VolumeAndPanFollowDecibels) {
    struct Case {
        std::int32_t volume, pan;
        double left, right;
    } cases[] = {
        {0, 0, 1.0, 1.0},
        {-500, 0, std::pow(10.0, -0.25), std::pow(10.0, -0.25)},
        {-2000, 0, 0.1, 0.1},
        {0, 2000, 0.1, 1.0},  // positive pan attenuates the left side
        {0, -2000, 1.0, 0.1}, // negative the right
        {-1000, 1000, std::pow(10.0, -1.0), std::pow(10.0, -0.5)},
        {-10000, 0, 0.0, 0.0}, // the bottom of the range is silence
        {0, 10000, 0.0, 1.0},
        {500, 0, 1.0, 1.0}, // out of range is clamped
        {-20000, 0, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        const StereoGains g = stereoGains(c.volume, c.pan);
        EXPECT_NEAR(g.left, c.left, 1e-6) << c.volume << " " << c.pan;
        EXPECT_NEAR(g.right, c.right, 1e-6) << c.volume << " " << c.pan;
    }
}

TEST(SoundLaw, ResampleStepUsesOwnRateOrFrequency) {
    EXPECT_DOUBLE_EQ(resampleStep(0, 22050, 44100), 0.5);
    EXPECT_DOUBLE_EQ(resampleStep(88200, 22050, 44100), 2.0);
    EXPECT_DOUBLE_EQ(resampleStep(50, 22050, 44100), 100.0 / 44100); // clamped to 100 Hz
}

TEST(Mixer, AppliesGainsToMonoAndStereo) {
    const std::vector<std::int16_t> stereo = {16384, -8192, 16384, -8192};
    auto mono = ramp(4);
    auto st = SampleData::fromInt16(2, 44100, stereo);
    Mixer mixer(44100, 4, 0);
    mixer.post(attach(0, mono.get()));
    mixer.post(attach(1, st.get()));
    mixer.post(start(0, kAtOnce, 1.0, stereoGains(-2000, 0)));
    mixer.post(start(1, kAtOnce, 1.0, stereoGains(0, 2000)));
    std::vector<float> out(8);
    mixer.render(out.data(), 4, 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(out[2 * i], 0.1f * i * 16 / 32768.0f + 0.1f * 0.5f, 1e-6);
        EXPECT_NEAR(out[2 * i + 1], 0.1f * i * 16 / 32768.0f - 0.25f, 1e-6);
    }
}

TEST(Mixer, ResamplesByLinearInterpolation) {
    auto data = ramp(64);
    for (double step : {0.5, 0.25, 2.0, 44100.0 / 48000.0, 1.5}) {
        Mixer mixer(44100, 1, 0);
        mixer.post(attach(0, data.get()));
        mixer.post(start(0, kAtOnce, step));
        const auto out = renderBlocks(mixer, 40, 40);
        for (std::size_t i = 0; i < 40; ++i) {
            const double pos = i * step;
            // A ramp stays a ramp under linear interpolation; past the last frame it fades to 0.
            double expected = pos < 63 ? pos * 16 / 32768.0 : 0.0;
            if (pos >= 63 && pos < 64)
                expected = (63 * 16 / 32768.0) * (1.0 - (pos - 63));
            EXPECT_NEAR(out[2 * i], expected, 1e-6) << "step " << step << " frame " << i;
        }
    }
}

TEST(Mixer, BlockSizeDoesNotChangeTheResult) {
    auto data = ramp(3000);
    std::vector<float> reference;
    for (std::uint32_t block : {4000u, 37u, 441u, 256u, 1u}) {
        Mixer mixer(44100, 2, 0);
        mixer.post(attach(0, data.get()));
        mixer.post(start(0, kAtOnce, 0.73));
        const auto out = renderBlocks(mixer, 4000, block);
        if (reference.empty())
            reference = out;
        else
            EXPECT_EQ(out, reference) << "block " << block;
    }
}

TEST(Mixer, ReadsEightBitAndLoops) {
    const std::vector<std::uint8_t> bytes = {128, 192, 64};
    auto data = SampleData::fromBytes(PcmFormat{1, 44100, 8}, bytes);
    Mixer mixer(44100, 1, 0);
    mixer.post(attach(0, data.get()));
    mixer.post(start(0, kAtOnce, 1.0, {}, true));
    const auto out = renderBlocks(mixer, 7, 7);
    const float expected[] = {0.0f, 0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f};
    for (int i = 0; i < 7; ++i)
        EXPECT_FLOAT_EQ(out[2 * i], expected[i]) << i;
    EXPECT_EQ(mixer.status(0), Mixer::kStatusPlaying | Mixer::kStatusLooping);
}

TEST(Mixer, ClampsTheSumAndEndsOneShots) {
    const std::vector<std::int16_t> loud = {30000, 30000};
    auto data = SampleData::fromInt16(1, 44100, loud);
    Mixer mixer(44100, 3, 0);
    for (std::uint32_t s = 0; s < 3; ++s) {
        mixer.post(attach(s, data.get()));
        mixer.post(start(s));
    }
    const auto out = renderBlocks(mixer, 4, 4);
    EXPECT_FLOAT_EQ(out[0], 1.0f);
    EXPECT_FLOAT_EQ(out[4], 0.0f);
    EXPECT_EQ(mixer.status(0), 0u);
    EXPECT_EQ(mixer.position(0), 2);
}

// A start planned at time t lands at frame (t - clock origin) x rate + look-ahead, whatever block
// that frame falls in, for several block sizes and offsets.
TEST(Mixer, PlannedStartsLandOnTheirFrame) {
    std::vector<std::int16_t> click(8, 20000);
    auto data = SampleData::fromInt16(1, 44100, click);
    for (std::uint32_t block : {37u, 256u, 441u}) {
        for (std::int64_t plannedFrame : {0, 1, 36, 37, 500, 1234}) {
            const std::uint32_t lookahead = 2 * block;
            Mixer mixer(44100, 1, lookahead);
            mixer.post(attach(0, data.get()));
            const std::int64_t origin = 5 * kSecond;
            // The first block anchors the clock: frame 0 is rendered at `origin`.
            std::vector<float> out(2 * 6000);
            mixer.render(out.data(), block, origin);
            mixer.post(start(0, origin + plannedFrame * kSecond / 44100 + 1));
            std::size_t done = block;
            while (done < 6000) {
                const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(block, 6000 - done));
                // Later callbacks arrive late by varying amounts; that must not move the start.
                const std::int64_t jitter = static_cast<std::int64_t>(done % 3) * 700'000;
                mixer.render(out.data() + 2 * done, n,
                             origin + static_cast<std::int64_t>(done) * kSecond / 44100 + jitter);
                done += n;
            }
            std::size_t onset = 0;
            while (onset < 6000 && out[2 * onset] == 0.0f)
                ++onset;
            EXPECT_EQ(static_cast<std::int64_t>(onset), plannedFrame + lookahead) << "block " << block;
            EXPECT_EQ(mixer.lateEvents(), 0u);
        }
    }
}

TEST(Mixer, LateStartsPlayAtOnceAndAreCounted) {
    std::vector<std::int16_t> click(4, 20000);
    auto data = SampleData::fromInt16(1, 44100, click);
    Mixer mixer(44100, 1, 10);
    mixer.post(attach(0, data.get()));
    std::vector<float> out(2 * 100);
    mixer.render(out.data(), 100, kSecond);
    mixer.post(start(0, kSecond)); // planned for frame 10, which is already rendered
    mixer.render(out.data(), 100, kSecond + 100 * kSecond / 44100);
    EXPECT_GT(out[0], 0.0f);
    EXPECT_EQ(mixer.lateEvents(), 1u);
}

TEST(Mixer, RetriggerCutsThePreviousSoundAtThePlannedFrame) {
    std::vector<std::int16_t> tone(1000, 10000);
    auto data = SampleData::fromInt16(1, 44100, tone);
    Mixer mixer(44100, 1, 100);
    mixer.post(attach(0, data.get()));
    mixer.post(start(0)); // at once
    std::vector<float> out(2 * 400);
    mixer.render(out.data(), 200, 0);
    // A stop posted after a pending start applies no earlier than that start.
    MixerCommand later = start(0, 0 + 250 * kSecond / 44100, 1.0, stereoGains(-2000, 0));
    mixer.post(later);
    MixerCommand stop;
    stop.kind = MixerCommand::Kind::Stop;
    mixer.post(stop);
    mixer.render(out.data() + 400, 200, 200 * kSecond / 44100);
    EXPECT_GT(out[2 * 349], 0.3f); // still the first sound until frame 350 (250 + look-ahead)
    EXPECT_EQ(out[2 * 350], 0.0f); // the restart and the stop both land there
    EXPECT_EQ(mixer.status(0), 0u);
}

// A sound server can hold a stream back after its first block; the output counts as running only
// after a span of callbacks at its pace, and stops counting as running when they pause.
TEST(Mixer, RunsOnlyAfterASpanOfCallbacksWithoutAPause) {
    constexpr std::int64_t ms = 1'000'000;
    constexpr std::uint32_t frames = 256; // 5.8 ms at 44100 Hz
    const std::int64_t period = std::int64_t{frames} * 1'000'000'000 / 44100;
    Mixer mixer(44100, 1, 0);
    std::vector<float> out(2 * frames);
    EXPECT_FALSE(mixer.runningFor(0, 0)); // never called back
    mixer.render(out.data(), frames, 0);
    EXPECT_TRUE(mixer.runningFor(0, 50 * ms));
    EXPECT_FALSE(mixer.runningFor(250 * ms, 300 * ms)); // held back after the first block
    EXPECT_FALSE(mixer.runningFor(0, 300 * ms));
    std::int64_t now = 1800 * ms;
    for (; now < 1800 * ms + 240 * ms; now += period)
        mixer.render(out.data(), frames, now);
    EXPECT_FALSE(mixer.runningFor(250 * ms, now)) << "the first block before the pause counts";
    for (; now < 1800 * ms + 260 * ms; now += period)
        mixer.render(out.data(), frames, now);
    EXPECT_TRUE(mixer.runningFor(250 * ms, now));
    EXPECT_FALSE(mixer.runningFor(250 * ms, now + 150 * ms)); // no callback for 150 ms
    // Large blocks may come further apart: four blocks are no pause.
    Mixer large(44100, 1, 0);
    std::vector<float> big(2 * 8192);
    for (int i = 0; i < 4; ++i)
        large.render(big.data(), 8192, i * 186 * ms);
    EXPECT_TRUE(large.runningFor(500 * ms, 3 * 186 * ms + 100 * ms));
}

// A playback stopped after its ticks were handled ahead of time: the starts planned after the stop
// never sound, the ones planned before it (still waiting for their frame) and what already sounds
// ring on, on every slot.
TEST(Mixer, CancelDropsOnlyTheStartsPlannedFromItsTime) {
    std::vector<std::int16_t> tone(4000, 10000);
    auto data = SampleData::fromInt16(1, 44100, tone);
    Mixer mixer(44100, 3, 100);
    for (std::uint32_t slot = 0; slot < 3; ++slot)
        mixer.post(attach(slot, data.get()));
    mixer.post(start(0)); // sounding at once
    std::vector<float> out(2 * 2000);
    mixer.render(out.data(), 100, 0);
    const auto at = [](std::int64_t frame) { return frame * kSecond / 44100 + 1; };
    mixer.post(start(1, at(300)));  // planned before the stop: lands at 400
    mixer.post(start(2, at(900)));  // planned after it: never sounds
    mixer.post(start(1, at(1200))); // a second one on the same slot, also after
    MixerCommand cancel;
    cancel.kind = MixerCommand::Kind::Cancel;
    cancel.timeNs = at(500);
    mixer.post(cancel);
    for (std::int64_t done = 100; done < 2000; done += 100)
        mixer.render(out.data() + 2 * done, 100, at(done));
    EXPECT_NE(mixer.status(0), 0u);
    EXPECT_NE(mixer.status(1), 0u);
    EXPECT_EQ(mixer.status(2), 0u);
    // Slot 1 started at 400 and was not restarted at 1300: its ramp-free tone plays on unbroken.
    EXPECT_EQ(mixer.position(1), 2000 - 400);
    EXPECT_EQ(mixer.lateEvents(), 0u);
}

} // namespace
} // namespace tamboro
