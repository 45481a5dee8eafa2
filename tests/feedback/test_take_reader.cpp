// The take reader: formats libsndfile decodes (integer widths, float, several channels, other
// rates), and takes that are no WAV, cut short, silent or clipping.
#include "common/Error.h"
#include "feedback/TimingFeedback.h"
#include "testsupport/SyntheticTake.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace tamboro;

namespace {

std::vector<float> readAll(std::span<const std::uint8_t> bytes) {
    TakeReader reader(bytes, "take.wav");
    std::vector<float> all, block(333);
    while (const std::size_t n = reader.read(block))
        all.insert(all.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n));
    return all;
}

// A canonical WAV header with `format` (1 PCM, 3 float) over `data`.
std::vector<std::uint8_t> wav(int format, int channels, int rate, int bits,
                              std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> b;
    auto put = [&](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(t[i]));
    };
    tag("RIFF");
    put(static_cast<std::uint32_t>(36 + data.size()), 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(static_cast<std::uint32_t>(format), 2);
    put(static_cast<std::uint32_t>(channels), 2);
    put(static_cast<std::uint32_t>(rate), 4);
    put(static_cast<std::uint32_t>(rate * channels * bits / 8), 4);
    put(static_cast<std::uint32_t>(channels * bits / 8), 2);
    put(static_cast<std::uint32_t>(bits), 2);
    tag("data");
    put(static_cast<std::uint32_t>(data.size()), 4);
    for (const std::uint8_t byte : data)
        b.push_back(byte);
    return b;
}

} // namespace

TEST(TakeReader, MixesChannelsOfEveryWidthToMono) {
    // Stereo float: left 0.5, right -0.1 (and one sample past full scale) mixes to 0.2.
    std::vector<float> stereo = {0.5f, -0.1f, 0.5f, -0.1f, 1.5f, -0.1f};
    std::vector<std::uint8_t> floatBytes(stereo.size() * 4);
    std::memcpy(floatBytes.data(), stereo.data(), floatBytes.size());
    // The reader reads from the caller's bytes, which must outlive it.
    const std::vector<std::uint8_t> floatWav = wav(3, 2, 44100, 32, floatBytes);
    TakeReader floats(floatWav, "f.wav");
    std::vector<float> out(10);
    ASSERT_EQ(floats.read(out), 3u);
    EXPECT_NEAR(out[0], 0.2f, 1e-6);
    EXPECT_NEAR(out[2], 0.45f, 1e-6); // clamped to full scale before mixing
    EXPECT_EQ(floats.clippedSamples(), 1);
    EXPECT_EQ(floats.read(out), 0u);

    // 24-bit mono: half scale.
    const std::uint8_t pcm24[] = {0x00, 0x00, 0x40, 0x00, 0x00, 0xC0};
    const auto mono = readAll(wav(1, 1, 44100, 24, pcm24));
    ASSERT_EQ(mono.size(), 2u);
    EXPECT_FLOAT_EQ(mono[0], 0.5f);
    EXPECT_FLOAT_EQ(mono[1], -0.5f);
}

TEST(TakeReader, ResamplesOtherRatesKeepingTimeAndLength) {
    // A click at 0.5 s in a one-second 48 kHz take lands at 0.5 s of the 44.1 kHz frames.
    std::vector<float> samples(48000, 0.0f);
    samples[24000] = 0.9f;
    const auto frames = readAll(monoWav16(samples, 48000));
    EXPECT_NEAR(static_cast<double>(frames.size()), 44100.0, 2.0);
    const auto peak = std::max_element(frames.begin(), frames.end(),
                                       [](float a, float b) { return std::fabs(a) < std::fabs(b); });
    EXPECT_NEAR(static_cast<double>(peak - frames.begin()), 22050.0, 1.0);
}

TEST(TakeReader, BadTakesFailNamingTheFileOrFindNoNotes) {
    const std::string text = "time_s,step\n";
    const std::vector<std::uint8_t> notWav(text.begin(), text.end());
    const auto full = monoWav16(std::vector<float>(1000, 0.1f), 44100);
    const std::vector<std::uint8_t> cut(full.begin(), full.begin() + 30);
    const std::uint8_t pcm[] = {0, 0};
    for (const auto& bytes : {notWav, cut, wav(1, 1, 100, 16, pcm), wav(1, 0, 44100, 16, pcm)}) {
        try {
            analyseTake(bytes, "my take.wav");
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("my take.wav"), std::string::npos) << e.what();
        }
    }
    // An empty data chunk, silence and noise alone: no notes, no failure.
    EXPECT_TRUE(analyseTake(wav(1, 1, 44100, 16, {}), "t.wav").onsets.empty());
    EXPECT_TRUE(analyseTake(monoWav16(std::vector<float>(88200, 0.0f), 44100), "t.wav").onsets.empty());
    SyntheticTake noise(44100, 5.0, 0.01, 3);
    EXPECT_TRUE(analyseTake(monoWav16(noise.samples(), 44100), "t.wav").onsets.empty());
    // A clipping take still gives its notes, and says it clips.
    SyntheticTake loud(44100, 3.0, 0.01, 4);
    for (int n = 0; n < 4; ++n)
        loud.addNote(SyntheticNote::Clap, 0.5 + 0.5 * n, 3.0);
    const TakeAnalysis clipped = analyseTake(monoWav16(loud.samples(), 44100), "t.wav");
    EXPECT_GT(clipped.clippedSamples, 0);
    EXPECT_EQ(clipped.onsets.size(), 4u);
}
