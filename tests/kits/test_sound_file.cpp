#include "common/Error.h"
#include "common/WavWriter.h"
#include "kits/SoundFile.h"

#include "support/SoundFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace fs = std::filesystem;
using namespace tamboro;
using namespace tamboro::test;

namespace {

// Amplitude of the `hz` component of one channel, through a 4-term Blackman-Harris window.
double levelAt(const std::vector<double>& samples, int channels, int channel, double rate, double hz) {
    const std::size_t n = samples.size() / static_cast<std::size_t>(channels);
    double re = 0, im = 0, gain = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = 2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n - 1);
        const double w =
            0.35875 - 0.48829 * std::cos(t) + 0.14128 * std::cos(2 * t) - 0.01168 * std::cos(3 * t);
        const double phase = 2 * std::numbers::pi * hz * static_cast<double>(i) / rate;
        const double x = samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(channel)];
        re += w * x * std::cos(phase);
        im += w * x * std::sin(phase);
        gain += w;
    }
    return 2 * std::hypot(re, im) / gain;
}

// Frequency from the first and last rising zero crossings (interpolated) of one channel.
double zeroCrossingHz(const std::vector<double>& samples, int channels, double rate) {
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size() / static_cast<std::size_t>(channels); ++i) {
        const double a = samples[(i - 1) * static_cast<std::size_t>(channels)];
        const double b = samples[i * static_cast<std::size_t>(channels)];
        if (a < 0 && b >= 0) {
            const double t = (static_cast<double>(i) - 1 + a / (a - b)) / rate;
            if (first < 0)
                first = t;
            last = t;
            ++crossings;
        }
    }
    return (crossings - 1) / (last - first);
}

struct FormatCase {
    const char* name;
    const char* file;
    int format;
    double maxError; // largest sample difference allowed against the written signal
};

TEST(SoundFile, DecodesEveryFormatToSixteenBitPcmAtItsRate) {
    TempDir tmp;
    const FormatCase cases[] = {
        {"24-bit WAV", "a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2.5 / 32768},
        {"32-bit WAV", "b.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 2.5 / 32768},
        {"float WAV", "c.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2.5 / 32768},
        {"extensible 24-bit WAV", "d.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 2.5 / 32768},
        {"16-bit AIFF", "e.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 1.0 / 32768},
        {"24-bit AIFF", "f.aif", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 2.5 / 32768},
        {"8-bit AIFF", "g.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_S8, 1.0 / 128},
        {"16-bit FLAC", "h.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1.0 / 32768},
        {"24-bit FLAC", "i.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 2.5 / 32768},
        {"Ogg Vorbis", "j.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.05},
    };
    constexpr int kRate = 44100;
    constexpr std::int64_t kFrames = 4410;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Signal signal = sine(440, kRate);
        writeSoundFile(tmp.path / c.file, c.format, 2, kRate, kFrames, signal);
        const DecodedSound sound = readSoundFile(tmp.path / c.file);
        EXPECT_EQ(sound.source, SoundSource::Converted);
        ASSERT_TRUE(sound.wave.isPlayablePcm());
        EXPECT_EQ(sound.wave.bitsPerSample(), 16);
        EXPECT_EQ(sound.wave.channels(), 2);
        EXPECT_EQ(sound.wave.sampleRate(), 44100u);
        const auto samples = pcm16Samples(sound.wave.data());
        if (c.format == (SF_FORMAT_OGG | SF_FORMAT_VORBIS)) {
            // Lossy: the length may differ a little; the tone must be there at its level.
            EXPECT_NEAR(levelAt(samples, 2, 0, kRate, 440), 0.5, 0.02);
            continue;
        }
        ASSERT_EQ(sound.wave.frames(), static_cast<std::size_t>(kFrames));
        double worst = 0;
        for (std::int64_t f = 0; f < kFrames; ++f)
            for (int ch = 0; ch < 2; ++ch)
                worst =
                    std::max(worst, std::abs(samples[static_cast<std::size_t>(f * 2 + ch)] - signal(f, ch)));
        EXPECT_LE(worst, c.maxError);
    }
}

TEST(SoundFile, ResamplesNinetySixKilohertzToFortyFourOneWithoutAliasing) {
    TempDir tmp;
    // A 1 kHz tone plus one at 30 kHz, above the new Nyquist: a poor resampler folds the second to
    // 44.1 - 30 = 14.1 kHz.
    const Signal signal = [](std::int64_t f, int) {
        const double t = static_cast<double>(f) / 96000;
        return 0.45 * std::sin(2 * std::numbers::pi * 1000 * t) +
               0.45 * std::sin(2 * std::numbers::pi * 30000 * t);
    };
    writeSoundFile(tmp.path / "hi.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 96000, 96000, signal);
    const Wave wave = readSoundWave(tmp.path / "hi.wav");
    ASSERT_EQ(wave.sampleRate(), 44100u);
    EXPECT_EQ(wave.frames(), 44100u);
    const auto samples = pcm16Samples(wave.data());
    // Leave out the filter's settling at both ends.
    const std::vector<double> middle(samples.begin() + 2000, samples.end() - 2000);
    EXPECT_NEAR(zeroCrossingHz(middle, 1, 44100), 1000.0, 0.5);
    const double tone = levelAt(middle, 1, 0, 44100, 1000);
    EXPECT_NEAR(tone, 0.45, 0.01);
    for (double alias : {14100.0, 8000.0, 21000.0})
        EXPECT_LT(20 * std::log10(levelAt(middle, 1, 0, 44100, alias) / tone), -90.0) << alias << " Hz";
}

TEST(SoundFile, KeepsEightAndSixteenBitWavExactlyAsBefore) {
    Wave::Bytes data(400);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 37);
    Wave::Bytes extended = pcmFormatRecord(1, 22050, 8);
    extended.resize(18, 0);
    const Wave cases[] = {
        Wave::pcm(1, 22050, 8, data), Wave::pcm(2, 44100, 16, data),
        Wave::pcm(2, 48000, 16, data), // a rate the players take anyway: not resampled
        Wave(extended, data),          // an 18-byte format record stays as it was
    };
    for (const Wave& original : cases) {
        const auto bytes = original.toBytes();
        const DecodedSound sound = decodeSound(bytes, "x.wav");
        EXPECT_EQ(sound.source, SoundSource::WavAsIs);
        EXPECT_EQ(sound.wave.toBytes(), Wave::fromBytes(bytes).toBytes());
    }
    EXPECT_EQ(decodeSound({}, "empty.wav").source, SoundSource::Empty);
}

TEST(SoundFile, KeepsTheFirstTwoOfManyChannelsAndDithersTheSameEveryTime) {
    TempDir tmp;
    writeSoundFile(tmp.path / "quad.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 4, 44100, 1000,
                   [](std::int64_t, int channel) { return 0.1 * channel; });
    const Wave first = readSoundWave(tmp.path / "quad.wav");
    EXPECT_EQ(first.channels(), 2);
    const auto samples = pcm16Samples(first.data());
    for (std::size_t i = 0; i < samples.size(); i += 2) {
        ASSERT_NEAR(samples[i], 0.0, 1.5 / 32768);
        ASSERT_NEAR(samples[i + 1], 0.1, 1.5 / 32768);
    }
    EXPECT_EQ(readSoundWave(tmp.path / "quad.wav"), first);
}

TEST(SoundFile, RefusesDamagedInputNamingTheFile) {
    TempDir tmp;
    writeSoundFile(tmp.path / "t.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1, 44100, 44100, sine(100, 44100));
    const auto flac = fileBytes(tmp.path / "t.flac");
    const std::string text = "just some words, not a sound";
    const std::vector<std::uint8_t> textBytes(text.begin(), text.end());
    const std::vector<std::uint8_t> flacHead(flac.begin(), flac.begin() + 30);
    std::vector<std::uint8_t> riffCut = Wave::pcm(1, 44100, 16, Wave::Bytes(100)).toBytes();
    riffCut.resize(30);
    std::vector<std::pair<std::vector<std::uint8_t>, const char*>> cases = {
        {textBytes, "Wave is invalid: damaged.snd is not a sound file"},
        {flacHead, "damaged.snd"},
        {riffCut, "Stream read error: damaged.snd"},
    };
    // 700000 frames at 200 Hz would become 154 million at 44.1 kHz: beyond what a slot holds.
    writeSoundFile(tmp.path / "slow.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 200, 700000, sine(10, 200));
    const auto slow = fileBytes(tmp.path / "slow.wav");
    cases.push_back({slow, "damaged.snd: the sound is too long at 44100 Hz"});
    for (const auto& [bytes, expected] : cases) {
        try {
            decodeSound(bytes, "damaged.snd");
            ADD_FAILURE() << expected;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
        }
    }
}

} // namespace
