#include "common/ChildProcess.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "render/Mp3Encoder.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace tamboro;
using tamboro::test::TempDir;

namespace {

void writeExecutable(const fs::path& path, const std::string& text) {
    std::ofstream(path) << text;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
}

// A 16-bit stereo 44100 Hz WAV of `frames` frames of a square wave.
void writeTestWav(const fs::path& path, std::uint32_t frames) {
    std::string w = "RIFF";
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            w += static_cast<char>(v >> (8 * i));
    };
    auto u16 = [&](std::uint16_t v) {
        w += static_cast<char>(v);
        w += static_cast<char>(v >> 8);
    };
    u32(36 + frames * 4);
    w += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    w += "data";
    u32(frames * 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const std::uint16_t v = (i / 50) % 2 ? 8000 : static_cast<std::uint16_t>(-8000);
        u16(v);
        u16(v);
    }
    writeFileAtomically(path, w);
}

} // namespace

TEST(Mp3Encoder, PathRules) {
    struct Case {
        const char* wav;
        const char* mp3;
    } cases[] = {{"C:\\Out\\Demo.wav", "C:\\Out\\Demo.mp3"},
                 {"/home/me/Jam.wav", "/home/me/Jam.mp3"},
                 {"a.wave", "a.wmp3"},
                 {"ab", "mp3"}};
    for (const auto& c : cases)
        EXPECT_EQ(mp3PathFor(c.wav), c.mp3) << c.wav;
    EXPECT_EQ(encoderPath("/work").filename(), "BladeEnc");
}

TEST(Mp3Encoder, EmptyPathRunsNothing) {
    EXPECT_TRUE(encoderArguments("/x/BladeEnc", "", "a.mp3", "128").empty());
    EXPECT_TRUE(encoderArguments("/x/BladeEnc", "a.wav", "", "128").empty());
}

TEST(Mp3Encoder, FakeEncoderReceivesTheExactArgumentVector) {
    TempDir dir;
    const fs::path fake = dir.path / "Blade Enc";
    const fs::path record = dir.path / "args.txt";
    writeExecutable(fake, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + record.string() +
                              "'; done\n[ -t 0 ] && echo stdin-is-a-terminal >> '" + record.string() +
                              "'\nexit 3\n");
    // Paths with blanks and quotes arrive as single arguments; the bit rate text passes unchanged.
    const auto args = encoderArguments(fake, "/songs/My \"Jam\".wav", "/songs/My \"Jam\".mp3", "320");
    ChildProcess encoder;
    ASSERT_TRUE(encoder.start(args)) << encoder.startError();
    EXPECT_EQ(encoder.wait(), 3);
    EXPECT_FALSE(encoder.running());
    EXPECT_EQ(readTextLines(record),
              (std::vector<std::string>{"-q", "/songs/My \"Jam\".wav", "/songs/My \"Jam\".mp3", "-320"}));
}

TEST(Mp3Encoder, MissingEncoderFailsToStart) {
    ChildProcess encoder;
    EXPECT_FALSE(encoder.start({"/nonexistent/BladeEnc", "-q", "a.wav", "a.mp3", "-128"}));
    EXPECT_FALSE(encoder.startError().empty());
    EXPECT_FALSE(encoder.running());
}

TEST(Mp3Encoder, ShippedEncoderWritesAConstantBitRateMp3) {
    if (!fs::exists("/usr/bin/lame"))
        GTEST_SKIP() << "lame is not installed";
    TempDir dir;
    const fs::path wav = dir.path / "Short Render.wav";
    writeTestWav(wav, 44100);
    const std::string mp3 = mp3PathFor(wav.string());
    ChildProcess encoder;
    ASSERT_TRUE(
        encoder.start(encoderArguments(fs::path(TAMBORO_ASSETS) / "BladeEnc", wav.string(), mp3, "192")));
    EXPECT_EQ(encoder.wait(), 0);
    const auto bytes = readFileBytes(mp3);
    ASSERT_GT(bytes.size(), 4000u);
    // First frame header: MPEG-1 layer III sync, bit-rate index 11 (192 kbit/s), 44100 Hz.
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1] & 0xFE, 0xFA);
    EXPECT_EQ(bytes[2] >> 4, 11);
    EXPECT_EQ((bytes[2] >> 2) & 3, 0);
}

TEST(Mp3Encoder, ShippedEncoderRefusesABadBitRate) {
    ChildProcess encoder;
    ASSERT_TRUE(
        encoder.start({(fs::path(TAMBORO_ASSETS) / "BladeEnc").string(), "-q", "a.wav", "a.mp3", "-fast"}));
    EXPECT_EQ(encoder.wait(), 2);
}
