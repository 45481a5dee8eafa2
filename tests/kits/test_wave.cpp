#include "common/ByteWriter.h"
#include "common/Error.h"
#include "kits/Wave.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using tamboro::Error;
using tamboro::Wave;

namespace {

Wave::Bytes counting(std::size_t n) {
    Wave::Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return b;
}

// A standard WAV file (RIFF count of following bytes) with the chunks given.
struct Chunk {
    std::string id;
    Wave::Bytes body;
};
Wave::Bytes riff(const std::vector<Chunk>& chunks, const char* form = "WAVE") {
    tamboro::ByteWriter w;
    w.text("RIFF");
    w.u32(0);
    w.text(form);
    for (const auto& c : chunks) {
        w.text(c.id);
        w.u32(static_cast<std::uint32_t>(c.body.size()));
        w.bytes(c.body);
    }
    w.patchU32(4, static_cast<std::uint32_t>(w.size() - 8));
    return w.data();
}

std::string errorOf(const Wave::Bytes& bytes) {
    try {
        Wave::fromBytes(bytes);
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(Wave, BlockOfSixteenByteFormatAndThousandDataBytes) {
    const Wave wave = Wave::pcm(1, 44100, 16, counting(1000));
    const auto block = wave.toBytes();
    ASSERT_EQ(block.size(), 1045u);
    EXPECT_EQ(std::string(block.begin(), block.begin() + 4), "RIFF");
    EXPECT_EQ(block[4] | block[5] << 8 | block[6] << 16 | block[7] << 24, 1047);
    EXPECT_EQ(std::string(block.begin() + 8, block.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(block[16], 16);
    EXPECT_EQ(std::string(block.begin() + 36, block.begin() + 40), "data");
    EXPECT_EQ(block[40] | block[41] << 8, 1000);
    EXPECT_EQ(block.back(), 0);
    EXPECT_EQ(Wave::fromBytes(block), wave);
}

TEST(Wave, OddFormatRecordIsKeptByteForByteWithoutPad) {
    const Wave wave(counting(19), counting(5));
    const auto block = wave.toBytes();
    EXPECT_EQ(block.size(), 19u + 5u + 29u);
    const Wave back = Wave::fromBytes(block);
    EXPECT_EQ(back.format(), counting(19));
    EXPECT_EQ(back.data(), counting(5));
}

TEST(Wave, FormatAccessors) {
    const Wave stereo = Wave::pcm(2, 22050, 8, counting(9));
    EXPECT_EQ(stereo.formatTag(), 1);
    EXPECT_EQ(stereo.channels(), 2);
    EXPECT_EQ(stereo.sampleRate(), 22050u);
    EXPECT_EQ(stereo.bitsPerSample(), 8);
    EXPECT_EQ(stereo.blockAlign(), 2);
    EXPECT_EQ(stereo.avgBytesPerSec(), 44100u);
    EXPECT_EQ(stereo.frames(), 4u); // 9 div 2
    EXPECT_TRUE(stereo.isPlayablePcm());

    const Wave none;
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.frames(), 0u);
    EXPECT_EQ(none.sampleRate(), 0u);
    EXPECT_TRUE(none.toBytes().empty());

    const Wave shortFormat(counting(3), counting(10));
    EXPECT_EQ(shortFormat.blockAlign(), 0);
    EXPECT_EQ(shortFormat.frames(), 0u);
    EXPECT_FALSE(shortFormat.isPlayablePcm());
}

TEST(Wave, ReadsStandardFilesAndSkipsOtherChunks) {
    const Wave expected = Wave::pcm(1, 8000, 16, counting(64));
    const auto plain = riff({{"fmt ", expected.format()}, {"data", expected.data()}});
    EXPECT_EQ(Wave::fromBytes(plain), expected);

    const auto withList = riff({{"fmt ", expected.format()},
                                {"LIST", counting(10)},
                                {"data", expected.data()},
                                {"cue ", counting(4)}});
    EXPECT_EQ(Wave::fromBytes(withList), expected);

    // Data before the format record is fine too.
    EXPECT_EQ(Wave::fromBytes(riff({{"data", expected.data()}, {"fmt ", expected.format()}})), expected);
}

TEST(Wave, OddChunkBeforeDataIsReadUnaligned) {
    // Chunks are not padded to even sizes on reading: a writer that pads an odd chunk makes the
    // reader land one byte early, so the pad byte starts the next identifier.
    const Wave expected = Wave::pcm(1, 8000, 8, counting(6));
    auto bytes = riff({{"fmt ", expected.format()}, {"odd ", counting(3)}});
    bytes.push_back(0); // pad byte of a standard writer
    for (char c : std::string("data"))
        bytes.push_back(static_cast<std::uint8_t>(c));
    for (int i = 0; i < 4; ++i)
        bytes.push_back(i == 0 ? 6 : 0);
    bytes.insert(bytes.end(), expected.data().begin(), expected.data().end());
    const Wave misread = Wave::fromBytes(bytes);
    EXPECT_EQ(misread.format(), expected.format());
    EXPECT_TRUE(misread.data().empty());
}

TEST(Wave, BadInput) {
    const Wave good = Wave::pcm(1, 44100, 16, counting(100));
    const auto block = good.toBytes();
    struct Case {
        const char* what;
        Wave::Bytes bytes;
        const char* error;
    };
    auto cut = [&](std::size_t n) {
        return Wave::Bytes(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n));
    };
    auto withDataSize = [&](std::uint32_t size) {
        auto b = block;
        b[40] = static_cast<std::uint8_t>(size);
        b[41] = static_cast<std::uint8_t>(size >> 8);
        b[42] = static_cast<std::uint8_t>(size >> 16);
        b[43] = static_cast<std::uint8_t>(size >> 24);
        return b;
    };
    auto withFormatSize = [&](std::uint32_t size) {
        auto b = block;
        b[16] = static_cast<std::uint8_t>(size);
        b[19] = static_cast<std::uint8_t>(size >> 24);
        return b;
    };
    const Case cases[] = {
        {"garbage", Wave::Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'},
         "Wave is invalid"},
        {"RIFF but not WAVE", riff({{"fmt ", good.format()}}, "AVI "), "Wave is invalid"},
        {"shorter than a RIFF header", cut(7), "Wave is invalid"},
        {"cut inside the format record", cut(30), "Stream read error"},
        {"cut inside the sample data", cut(100), "Stream read error"},
        {"data size larger than the file", withDataSize(0xFFFFFFF0u), "Stream read error"},
        {"format size larger than the file", withFormatSize(0xF0000010u), "Stream read error"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf(c.bytes), c.error) << c.what;
}

TEST(Wave, LenientWhereTheFormatIsLenient) {
    const Wave good = Wave::pcm(1, 44100, 16, counting(100));
    const auto block = good.toBytes();
    // No bytes: an empty wave.
    EXPECT_TRUE(Wave::fromBytes({}).empty());
    // Cut right after the format chunk: a format and no data.
    const Wave noData = Wave::fromBytes(std::span(block).first(36));
    EXPECT_EQ(noData.format(), good.format());
    EXPECT_TRUE(noData.empty());
    // An unknown chunk claiming more than is left ends the walk quietly.
    auto bytes = riff({{"fmt ", good.format()}, {"data", good.data()}});
    for (char c : std::string("junk\xff\xff\xff\x7f"))
        bytes.push_back(static_cast<std::uint8_t>(c));
    EXPECT_EQ(Wave::fromBytes(bytes), good);
}

TEST(Wave, FileRoundTrip) {
    const tamboro::test::TempDir scratch;
    const std::filesystem::path& dir = scratch.path;
    const Wave wave = Wave::pcm(2, 48000, 16, counting(400));
    wave.writeFile(dir / "x.wav");
    EXPECT_EQ(Wave::readFile(dir / "x.wav"), wave);
    EXPECT_THROW(Wave::readFile(dir / "missing.wav"), Error);
}
