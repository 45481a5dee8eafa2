#include "LiteralWaveBuffer.h"
#include "RenderTestSupport.h"

#include "common/Error.h"
#include "common/Files.h"
#include "kits/Wave.h"
#include "render/HitContribution.h"
#include "render/WaveBuffer.h"

#include <gtest/gtest.h>

#include <random>

using namespace tamboro;
using namespace tamboro::rendertest;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> savedBytes(WaveBuffer& buffer, const fs::path& path) {
    buffer.saveToFile(path);
    return readFileBytes(path);
}

std::vector<std::uint8_t> savedBytes(oracle::LiteralWaveBuffer& buffer, const fs::path& path) {
    buffer.saveToFile(path);
    return readFileBytes(path);
}

} // namespace

TEST(WaveBuffer, NewBufferSavesTheFortyFourByteHeader) {
    TempDir dir;
    WaveBuffer buffer;
    const auto bytes = savedBytes(buffer, dir.path / "empty.wav");
    std::vector<std::uint8_t> expected;
    putText(expected, "RIFF");
    put32(expected, 36);
    putText(expected, "WAVE");
    putText(expected, "fmt ");
    put32(expected, 16);
    const auto format = pcmFormat(2, 44100, 16);
    expected.insert(expected.end(), format.begin(), format.end());
    putText(expected, "data");
    put32(expected, 0);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(buffer.duration(), 0.0);
}

TEST(WaveBuffer, ReadSampleRules) {
    TempDir dir;
    // 8-bit stereo, two frames: bytes 128, 0 | 255, 7.
    writeBytes(dir.path / "eight.wav", wavImage(pcmFormat(2, 8000, 8), {128, 0, 255, 7}));
    WaveBuffer eight;
    eight.loadFromFile(dir.path / "eight.wav");
    EXPECT_EQ(eight.frameCount, 2);
    struct Case {
        int channel;
        int frame;
        int value;
    } eightCases[] = {
        {0, 0, 0},         {1, 0, -128 * 255}, {0, 1, 127 * 255}, {1, 1, (7 - 128) * 255},
        {2, 0, 127 * 255}, // channel == channels: first sample of the next frame
        {2, 1, 0},         // ... which lies beyond the data on the last frame
        {3, 0, 0},         // channel channels + 1
        {0, 2, 0},         // frame frameCount
        {0, -1, 0},
    };
    for (const auto& c : eightCases)
        EXPECT_EQ(eight.readSample(c.channel, c.frame), c.value) << c.channel << "," << c.frame;

    // 16-bit mono: channel 1 reads the next frame.
    writeBytes(dir.path / "mono.wav",
               wavImage(pcmFormat(1, 22050, 16), {0x01, 0x00, 0xFF, 0x7F, 0x00, 0x80}));
    WaveBuffer mono;
    mono.loadFromFile(dir.path / "mono.wav");
    EXPECT_EQ(mono.frameCount, 3);
    EXPECT_EQ(mono.readSample(0, 0), 1);
    EXPECT_EQ(mono.readSample(1, 0), 32767);
    EXPECT_EQ(mono.readSample(1, 1), -32768);
    EXPECT_EQ(mono.readSample(1, 2), 0);
    EXPECT_EQ(mono.readSample(2, 0), 0);
}

TEST(WaveBuffer, LoadingFormats) {
    TempDir dir;
    const auto data = testSignal(2, 16, 50, 3);
    // An 18-byte format chunk (with its extension size) loads as the 16-byte one does.
    auto format18 = pcmFormat(2, 22050, 16);
    format18.push_back(0);
    format18.push_back(0);
    writeBytes(dir.path / "f16.wav", wavImage(pcmFormat(2, 22050, 16), data));
    writeBytes(dir.path / "f18.wav", wavImage(format18, data));
    // A wave written by the kit's writer: its RIFF size runs past the end of the file.
    Wave::pcm(2, 22050, 16, data).writeFile(dir.path / "kit.wav");

    for (const char* name : {"f16.wav", "f18.wav", "kit.wav"}) {
        WaveBuffer b;
        b.loadFromFile(dir.path / name);
        EXPECT_EQ(b.sampleRate, 22050u) << name;
        EXPECT_EQ(b.byteRate, 88200u) << name;
        EXPECT_EQ(b.blockAlign, 4) << name;
        EXPECT_EQ(b.frameCount, 50) << name;
        EXPECT_EQ(b.dataBytes(), data) << name;
    }
}

TEST(WaveBuffer, NonRiffFileLeavesTheBufferUnchanged) {
    TempDir dir;
    writeBytes(dir.path / "a.wav", wavImage(pcmFormat(1, 8000, 8), {1, 2, 3}));
    WaveBuffer b;
    b.loadFromFile(dir.path / "a.wav");
    for (const std::vector<std::uint8_t>& junk :
         {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{'R', 'I'},
          std::vector<std::uint8_t>{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}}) {
        writeBytes(dir.path / "junk.wav", junk);
        b.loadFromFile(dir.path / "junk.wav");
        EXPECT_EQ(b.channels, 1);
        EXPECT_EQ(b.frameCount, 3);
        EXPECT_EQ(b.dataBytes(), (std::vector<std::uint8_t>{1, 2, 3}));
    }
}

TEST(WaveBuffer, BadFilesFailWithAMessageAndChangeNothing) {
    TempDir dir;
    const auto fmt = pcmFormat(2, 44100, 16);
    auto dataTooLong = wavImage(fmt, {1, 2, 3, 4});
    dataTooLong[40] = 200; // data size 200 with 4 bytes left
    auto negative = wavImage(fmt, {1, 2, 3, 4});
    negative[40] = 0xF0;
    negative[43] = 0xFF; // data size negative
    auto shortFormat = wavImage(std::vector<std::uint8_t>(fmt.begin(), fmt.begin() + 14), {1, 2, 3, 4});
    auto zeroAlign = fmt;
    zeroAlign[12] = 0;
    auto formatPastEnd = wavImage(fmt, {});
    formatPastEnd.resize(30); // "fmt " declares 16 bytes, 10 are there
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* message;
    } cases[] = {
        {"data past the end", dataTooLong, "data chunk"},
        {"negative size", negative, "negative size"},
        {"short format", shortFormat, "shorter than 16"},
        {"block align 0", wavImage(zeroAlign, {1, 2, 3, 4}), "block align of 0"},
        {"format past the end", formatPastEnd, "format chunk"},
    };
    for (const auto& c : cases) {
        writeBytes(dir.path / "bad.wav", c.bytes);
        WaveBuffer b;
        try {
            b.loadFromFile(dir.path / "bad.wav");
            ADD_FAILURE() << c.name << ": no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.name << ": " << e.what();
        }
        EXPECT_EQ(b.frameCount, 0) << c.name;
        EXPECT_EQ(b.channels, 2) << c.name;
        EXPECT_EQ(b.dataSize(), 0u) << c.name;
    }
    WaveBuffer b;
    EXPECT_THROW(b.loadFromFile(dir.path / "missing.wav"), Error);
}

TEST(WaveBuffer, UnknownChunkCutShortEndsTheWalk) {
    TempDir dir;
    auto image = wavImage(pcmFormat(2, 44100, 16), {1, 0, 2, 0});
    putText(image, "LIST");
    put32(image, 1000);
    image[4] = 200; // RIFF size covering the claimed chunk
    writeBytes(dir.path / "a.wav", image);
    WaveBuffer b;
    b.loadFromFile(dir.path / "a.wav");
    EXPECT_EQ(b.frameCount, 1);
    EXPECT_EQ(b.readSample(1, 0), 2);
}

TEST(WaveBuffer, MixLengthGainsAndClipping) {
    TempDir dir;
    writeBytes(dir.path / "s22.wav", wavImage(pcmFormat(1, 22050, 16), testSignal(1, 16, 1000, 1)));
    WaveBuffer source;
    source.loadFromFile(dir.path / "s22.wav");
    struct LengthCase {
        int rate;
        std::int64_t frames;
    } lengths[] = {{22050, 2000}, {44100, 1000}, {11025, 4000}};
    for (const auto& c : lengths) {
        WaveBuffer dest;
        dest.mixWave(source, c.rate, 1.0, 0, 0);
        EXPECT_EQ(dest.dataSize(), static_cast<std::uint64_t>(c.frames * 4)) << c.rate;
    }

    EXPECT_EQ(balanceGains(0.25).left, 0.75);
    EXPECT_EQ(balanceGains(0.25).right, 1.0);
    EXPECT_EQ(balanceGains(-2).left, 1.0);
    EXPECT_EQ(balanceGains(-2).right, 0.0);
    EXPECT_EQ(balanceGains(2).left, 0.0);
    EXPECT_EQ(balanceGains(-0.5).right, 0.5);

    // Two full-scale hits on the same frame clip to 32767; two negative ones to -32767.
    writeBytes(dir.path / "loud.wav", wavImage(pcmFormat(2, 44100, 16), {0xFF, 0x7F, 0x00, 0x80}));
    WaveBuffer loud;
    loud.loadFromFile(dir.path / "loud.wav");
    WaveBuffer dest;
    dest.backingFileName = dir.path / "work.tmp";
    dest.setFileBacked(true);
    dest.mixWave(loud, 0 + 44100, 1.0, 0, 0);
    dest.mixWave(loud, 44100, 1.0, 0, 0);
    EXPECT_EQ(dest.readSample(0, 0), 32767);
    EXPECT_EQ(dest.readSample(1, 0), -32767);
}

TEST(WaveBuffer, FileBackedWindow) {
    TempDir dir;
    WaveBuffer b;
    b.backingFileName = dir.path / "work1.tmp";
    b.setFileBacked(true);
    EXPECT_EQ(b.windowStart(), WaveBuffer::kNoWindow);
    b.writeSample(0, 5512, 1234);
    EXPECT_EQ(b.frameCount, 5513);
    EXPECT_EQ(b.windowStart(), 5512);
    EXPECT_EQ(b.dataSize(), 5512u * 4);
    b.writeSample(1, 5512, -5);
    b.flushWindow();
    EXPECT_EQ(b.windowStart(), WaveBuffer::kNoWindow);
    EXPECT_EQ(b.frameCount, 5513);
    const auto data = b.dataBytes();
    ASSERT_EQ(data.size(), 5513u * 4);
    EXPECT_TRUE(std::all_of(data.begin(), data.begin() + 5512 * 4, [](std::uint8_t x) { return x == 0; }));
    EXPECT_EQ(b.readSample(0, 5512), 1234);
    EXPECT_EQ(b.readSample(1, 5512), -5);

    b.writeSample(0, 10, 7);
    EXPECT_EQ(b.windowStart(), 10);
    b.writeSample(0, 10 + WaveBuffer::kWindowFrames - 1, 8);
    b.writeSample(1, 10 + WaveBuffer::kWindowFrames - 1, 8);
    EXPECT_EQ(b.windowStart(), 10);
    EXPECT_EQ(b.readSample(0, 10), 7); // unflushed, read from the window
    b.writeSample(0, 10 + WaveBuffer::kWindowFrames, 9);
    EXPECT_EQ(b.windowStart(), 10 + WaveBuffer::kWindowFrames);
    b.writeSample(1, 10 + WaveBuffer::kWindowFrames, 9);
    EXPECT_EQ(b.frameCount, 10 + WaveBuffer::kWindowFrames + 1);
    // The old window went back to the file.
    EXPECT_EQ(b.readSample(0, 10), 7);
    EXPECT_EQ(b.readSample(0, 10 + WaveBuffer::kWindowFrames - 1), 8);
    // An unflushed window is not part of a save.
    const auto saved = readFileBytes((b.saveToFile(dir.path / "out.wav"), dir.path / "out.wav"));
    EXPECT_EQ(saved.size(), 44 + static_cast<std::size_t>(10 + WaveBuffer::kWindowFrames) * 4);
    b.setFileBacked(false);
    EXPECT_EQ(b.dataSize(), static_cast<std::uint64_t>(10 + WaveBuffer::kWindowFrames + 1) * 4);
    EXPECT_EQ(b.readSample(0, 10 + WaveBuffer::kWindowFrames), 9);
}

// Random sequences of loads, writes and mixes give the same bytes, frame counts and samples as the
// literal implementation, in memory and file-backed mode, for mono and stereo, 8- and 16-bit,
// 22050 and 44100 Hz sources at various rates, volumes, pans and starts.
TEST(WaveBuffer, AgreesWithTheLiteralImplementation) {
    TempDir dir;
    struct Source {
        std::uint16_t channels, bits;
        std::uint32_t rate;
        int frames;
    } sources[] = {{1, 16, 44100, 3000},
                   {2, 16, 44100, 2500},
                   {1, 8, 22050, 1700},
                   {2, 8, 44100, 900},
                   {2, 16, 22050, 4000}};
    for (std::size_t i = 0; i < std::size(sources); ++i) {
        const auto& s = sources[i];
        writeBytes(dir.path / ("s" + std::to_string(i) + ".wav"),
                   wavImage(pcmFormat(s.channels, s.rate, s.bits),
                            testSignal(s.channels, s.bits, s.frames, static_cast<unsigned>(i + 1))));
    }
    std::mt19937 random(12345);
    for (int round = 0; round < 24; ++round) {
        const bool fileBacked = round % 2 == 0;
        WaveBuffer fast;
        oracle::LiteralWaveBuffer slow;
        fast.backingFileName = dir.path / "fast.tmp";
        slow.backingFileName = dir.path / "slow.tmp";
        if (fileBacked) {
            fast.setFileBacked(true);
            slow.setFileBacked(true);
        }
        for (int op = 0; op < 12; ++op) {
            const int kind = std::uniform_int_distribution<int>(0, 9)(random);
            if (kind < 7) {
                const auto which =
                    std::uniform_int_distribution<std::size_t>(0, std::size(sources) - 1)(random);
                const fs::path file = dir.path / ("s" + std::to_string(which) + ".wav");
                WaveBuffer fastSource;
                oracle::LiteralWaveBuffer slowSource;
                fastSource.loadFromFile(file);
                slowSource.loadFromFile(file);
                const int rates[] = {0, 11025, 22050, 30000, 44100, 48000};
                int rate = rates[std::uniform_int_distribution<int>(0, 5)(random)];
                if (rate == 0)
                    rate = static_cast<int>(fastSource.sampleRate);
                const double volumes[] = {0.9, 0.4, 0.23333333333333334, 0.011111111111111112, 1.0, 2.5};
                const double pans[] = {0, 0.25, -0.5, 1.5, -2, 0.999};
                const double volume = volumes[std::uniform_int_distribution<int>(0, 5)(random)];
                const double pan = pans[std::uniform_int_distribution<int>(0, 5)(random)];
                const double start = std::uniform_int_distribution<int>(0, 400)(random) * 0.0013;
                fast.mixWave(fastSource, rate, volume, pan, start);
                slow.mixWave(slowSource, rate, volume, pan, start);
            } else {
                const int channel = std::uniform_int_distribution<int>(-1, 3)(random);
                const int frame = std::uniform_int_distribution<int>(-2, 30000)(random);
                const auto value =
                    static_cast<std::int16_t>(std::uniform_int_distribution<int>(-32768, 32767)(random));
                fast.writeSample(channel, frame, value);
                slow.writeSample(channel, frame, value);
            }
            ASSERT_EQ(fast.frameCount, slow.frameCount) << "round " << round << " op " << op;
            for (int probe = 0; probe < 20; ++probe) {
                const int channel = std::uniform_int_distribution<int>(0, 2)(random);
                const int frame = std::uniform_int_distribution<int>(0, 30000)(random);
                ASSERT_EQ(fast.readSample(channel, frame), slow.readSample(channel, frame))
                    << "round " << round << " op " << op;
            }
        }
        if (fileBacked) {
            fast.flushWindow();
            slow.flushWindow();
        }
        ASSERT_EQ(savedBytes(fast, dir.path / "fast.wav"), savedBytes(slow, dir.path / "slow.wav"))
            << "round " << round;
    }
}

// A hit longer than the window moves the window inside one mix and still agrees.
TEST(WaveBuffer, LongHitCrossesTheWindow) {
    TempDir dir;
    writeBytes(dir.path / "long.wav", wavImage(pcmFormat(2, 44100, 16), testSignal(2, 16, 30000, 9)));
    WaveBuffer fast, fastSource;
    oracle::LiteralWaveBuffer slow, slowSource;
    fastSource.loadFromFile(dir.path / "long.wav");
    slowSource.loadFromFile(dir.path / "long.wav");
    fast.backingFileName = dir.path / "fast.tmp";
    slow.backingFileName = dir.path / "slow.tmp";
    fast.setFileBacked(true);
    slow.setFileBacked(true);
    // Played at 1200 Hz the 30000 frames cover 1,102,500 destination frames.
    fast.mixWave(fastSource, 1200, 0.9, 0.3, 0.5);
    slow.mixWave(slowSource, 1200, 0.9, 0.3, 0.5);
    fast.mixWave(fastSource, 44100, 0.4, -0.3, 24.9);
    slow.mixWave(slowSource, 44100, 0.4, -0.3, 24.9);
    EXPECT_EQ(fast.frameCount, slow.frameCount);
    EXPECT_EQ(savedBytes(fast, dir.path / "fast.wav"), savedBytes(slow, dir.path / "slow.wav"));
}
