#include "common/ByteWriter.h"
#include "common/Error.h"
#include "kits/DrumKit.h"
#include "kits/KitFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using tamboro::DrumKit;
using tamboro::Error;
using tamboro::Wave;
using namespace std::string_literals;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes counting(std::size_t n, int seed = 0) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 13 + seed);
    return b;
}

std::uint32_t u32At(const Bytes& b, std::size_t pos) {
    return b[pos] | b[pos + 1] << 8 | b[pos + 2] << 16 | static_cast<std::uint32_t>(b[pos + 3]) << 24;
}

std::string errorOf(const Bytes& bytes, DrumKit& kit) {
    try {
        kit.loadFromBytes(bytes);
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

// A kit like the ones the program makes: the empty instrument, then named instruments.
DrumKit sampleKit() {
    DrumKit kit;
    kit.add().setWave(Wave::pcm(1, 44100, 16, Bytes(882, 0)));
    const char* names[] = {"Kick      [ ]", "Snare     [ ]", "Hat       [ ]"};
    int seed = 1;
    for (const char* name : names) {
        auto& item = kit.add();
        item.setName(name);
        item.setWave(Wave::pcm(static_cast<std::uint16_t>(seed % 2 + 1),
                               22050u * static_cast<std::uint32_t>(seed), 16,
                               counting(100u * static_cast<std::size_t>(seed), seed)));
        item.setMaxPlayingCount(seed * 100);
        ++seed;
    }
    kit.item(2).setLooped(true);
    kit.item(3).setWave(Wave(counting(18), counting(33))); // odd sizes, a non-PCM record
    return kit;
}

// Builds a stream by hand, for the forms our writer never produces.
Bytes handStream(const std::function<void(tamboro::ByteWriter&)>& items) {
    tamboro::ByteWriter w;
    w.u8(0xFF);
    w.u16(10);
    w.text("DELPHIXWAVECOLLECTION");
    w.u8(0);
    w.u16(0x1030);
    w.u32(0);
    w.text("TPF0");
    w.u8(24);
    w.text("TWaveCollectionComponent");
    w.u8(0);
    w.u8(4);
    w.text("List");
    w.u8(0x0E);
    items(w);
    w.u8(0);
    w.u8(0);
    w.u8(0);
    w.patchU32(27, static_cast<std::uint32_t>(w.size() - 31));
    return w.data();
}

void shortString(tamboro::ByteWriter& w, const std::string& s) {
    w.u8(static_cast<std::uint8_t>(s.size()));
    w.text(s);
}

} // namespace

TEST(KitFile, OneEmptyItemIs113Bytes) {
    DrumKit kit;
    kit.add();
    const Bytes bytes = kit.saveToBytes();
    ASSERT_EQ(bytes.size(), 113u);
    EXPECT_EQ(u32At(bytes, 27), 82u);
    const Bytes header = {0xFF, 0x0A, 0x00};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
    EXPECT_EQ(std::string(bytes.begin() + 3, bytes.begin() + 24), "DELPHIXWAVECOLLECTION");
    EXPECT_EQ(bytes[24], 0);
    EXPECT_EQ(bytes[25], 0x30);
    EXPECT_EQ(bytes[26], 0x10);
    EXPECT_EQ(std::string(bytes.begin() + 31, bytes.begin() + 35), "TPF0");
    // The item begins directly with "Looped" (no name), MaxPlayingCount in its 1-byte form.
    const std::string body(bytes.begin() + 67, bytes.end());
    const std::string expected =
        "\x01\x06Looped\x08\x0FMaxPlayingCount\x02\x00\x09Wave.WAVE\x0A\x00\x00\x00\x00"s +
        std::string(4, '\0');
    EXPECT_EQ(body, expected);
}

TEST(KitFile, SaveLoadRoundTrip) {
    DrumKit kit = sampleKit();
    kit.item(1).setPan(-1200);
    kit.item(1).setVolume(-500);
    kit.item(1).setFrequency(11025);
    const Bytes bytes = kit.saveToBytes();
    EXPECT_EQ(u32At(bytes, 27), bytes.size() - 31);

    DrumKit back;
    back.add().setName("left over");
    back.loadFromBytes(bytes);
    ASSERT_EQ(back.count(), kit.count());
    for (int i = 0; i < kit.count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back.item(i).name(), kit.item(i).name());
        EXPECT_EQ(back.item(i).looped(), kit.item(i).looped());
        EXPECT_EQ(back.item(i).maxPlayingCount(), kit.item(i).maxPlayingCount());
        EXPECT_EQ(back.item(i).wave(), kit.item(i).wave());
        EXPECT_EQ(back.item(i).pan(), 0);
        EXPECT_EQ(back.item(i).volume(), 0);
        EXPECT_EQ(back.item(i).frequency(), 0);
    }
    EXPECT_EQ(back.saveToBytes(), bytes);
}

TEST(KitFile, IntegersInTheirSmallestFormAndEveryFormRead) {
    struct Case {
        std::int32_t value;
        std::uint8_t code;
        std::size_t width;
    };
    const Case cases[] = {{0, 0x02, 1},     {127, 0x02, 1},    {-128, 0x02, 1},
                          {128, 0x03, 2},   {32767, 0x03, 2},  {-129, 0x03, 2},
                          {32768, 0x04, 4}, {-32769, 0x04, 4}, {0x7FFFFFFF, 0x04, 4}};
    for (const auto& c : cases) {
        DrumKit kit;
        // Written through the raw form, since the item itself never holds a negative count.
        const Bytes bytes = handStream([&](tamboro::ByteWriter& w) {
            w.u8(1);
            shortString(w, "MaxPlayingCount");
            w.u8(c.code);
            for (std::size_t i = 0; i < c.width; ++i)
                w.u8(static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.value) >> (8 * i)));
            w.u8(0);
        });
        kit.loadFromBytes(bytes);
        ASSERT_EQ(kit.count(), 1);
        EXPECT_EQ(kit.item(0).maxPlayingCount(), c.value < 0 ? 0 : c.value) << c.value;
        if (c.value >= 0) {
            const Bytes saved = kit.saveToBytes();
            // The value code follows "\x01", "Looped" 0x08 and "MaxPlayingCount" at 67 + 1 + 8 + 16.
            EXPECT_EQ(saved[92], c.code) << c.value;
            EXPECT_EQ(saved.size(), 113u - 1u + c.width) << c.value;
        }
    }
    // A 4-byte form holding a small value is read as well.
    DrumKit kit;
    kit.loadFromBytes(handStream([](tamboro::ByteWriter& w) {
        w.u8(1);
        shortString(w, "MaxPlayingCount");
        w.u8(0x04);
        w.u32(3);
        w.u8(0);
    }));
    EXPECT_EQ(kit.item(0).maxPlayingCount(), 3);
}

TEST(KitFile, LongNamesUseTheLongStringForm) {
    DrumKit kit;
    const std::string longName(300, 'x');
    kit.add().setName(longName);
    kit.add().setName(std::string(255, 'y'));
    const Bytes bytes = kit.saveToBytes();
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find(std::string("\x04Name\x0C\x2C\x01\x00\x00", 10) + longName), std::string::npos);
    EXPECT_NE(text.find(std::string("\x04Name\x06\xFF", 7) + std::string(255, 'y')), std::string::npos);
    DrumKit back;
    back.loadFromBytes(bytes);
    EXPECT_EQ(back.item(0).name(), longName);
    EXPECT_EQ(back.item(1).name(), std::string(255, 'y'));
}

TEST(KitFile, PropertiesMayBeAbsentOrReordered) {
    DrumKit kit;
    const Wave wave = Wave::pcm(1, 8000, 8, counting(10));
    kit.loadFromBytes(handStream([&](tamboro::ByteWriter& w) {
        w.u8(1); // an item with no properties at all
        w.u8(0);
        w.u8(2); // an order number before the item is allowed
        w.u8(7);
        w.u8(1);
        shortString(w, "Wave.WAVE");
        const auto block = wave.toBytes();
        w.u8(0x0A);
        w.u32(static_cast<std::uint32_t>(block.size()));
        w.bytes(block);
        shortString(w, "Looped");
        w.u8(0x09);
        shortString(w, "Name");
        w.u8(0x06);
        shortString(w, "Tom");
        w.u8(0);
    }));
    ASSERT_EQ(kit.count(), 2);
    EXPECT_EQ(kit.item(0).name(), "");
    EXPECT_TRUE(kit.item(0).wave().empty());
    EXPECT_EQ(kit.item(1).name(), "Tom");
    EXPECT_TRUE(kit.item(1).looped());
    EXPECT_EQ(kit.item(1).wave(), wave);
}

TEST(KitFile, BadFiles) {
    const Bytes good = sampleKit().saveToBytes();
    auto cut = [&](std::size_t n) {
        return Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    };
    auto patched = [&](std::size_t pos, std::uint8_t value) {
        Bytes b = good;
        b.at(pos) = value;
        return b;
    };
    // Offset of the first wave block's length field (item 0: "\x01", "Looped", 0x08,
    // "MaxPlayingCount" 0x02 0x00, "Wave.WAVE" 0x0A).
    const std::size_t firstBlockLength = 67 + 1 + 8 + 18 + 11;
    auto hugeLength = [&](std::size_t pos) {
        Bytes b = good;
        for (int i = 0; i < 4; ++i)
            b.at(pos + static_cast<std::size_t>(i)) = 0xFF;
        return b;
    };
    struct Case {
        const char* what;
        Bytes bytes;
        const char* error;
    };
    const std::string riffAt = "RIFF";
    const Case cases[] = {
        {"empty", {}, "Invalid stream format"},
        {"one byte", {0xFF}, "Invalid stream format"},
        {"first byte not 0xFF", patched(0, 0xFE), "Invalid stream format"},
        {"resource type not 10", patched(1, 11), "Invalid stream format"},
        {"garbage", Bytes(500, 0x41), "Invalid stream format"},
        {"resource name never ends",
         [] {
             Bytes b(200, 'A');
             b[0] = 0xFF;
             b[1] = 10;
             return b;
         }(),
         "Invalid stream format"},
        {"cut inside the header", cut(20), "Stream read error"},
        {"cut after the header", cut(31), "Stream read error"},
        {"signature not TPF0", patched(34, '1'), "Invalid stream format"},
        {"cut inside the class name", cut(45), "Stream read error"},
        {"cut after the component name", cut(62), "Stream read error"},
        {"cut after List", cut(67), "Stream read error"},
        {"cut after the first item's start", cut(68), "Stream read error"},
        {"cut inside a property name", cut(71), "Stream read error"},
        {"cut before a wave length", cut(firstBlockLength), "Stream read error"},
        {"cut inside the first wave", cut(firstBlockLength + 40), "Stream read error"},
        {"cut inside the last wave", cut(good.size() - 20), "Stream read error"},
        {"cut before the closing zeros", cut(good.size() - 3), "Stream read error"},
        {"cut before the last zero", cut(good.size() - 1), "Stream read error"},
        {"oversized wave length", hugeLength(firstBlockLength), "Stream read error"},
        {"wave block not RIFF", patched(firstBlockLength + 4, 'X'), "Wave is invalid"},
        {"collection marker wrong", patched(66, 0x0B), "Invalid property value"},
        {"boolean of the wrong form", patched(67 + 1 + 7, 0x02), "Invalid property value"},
        {"unknown property", patched(67 + 2, 'X'), "Property Xooped does not exist"},
    };
    for (const auto& c : cases) {
        DrumKit kit;
        EXPECT_EQ(errorOf(c.bytes, kit), c.error) << c.what;
    }
}

TEST(KitFile, FailedLoadKeepsTheItemsReadBefore) {
    const DrumKit source = sampleKit();
    const Bytes good = source.saveToBytes();
    DrumKit kit;
    kit.add().setName("old");
    EXPECT_EQ(errorOf(Bytes(good.begin(), good.end() - 20), kit), "Stream read error");
    ASSERT_EQ(kit.count(), source.count() - 1);
    EXPECT_EQ(kit.item(2).name(), source.item(2).name());
    EXPECT_EQ(kit.indexOf("old"), -1);

    // A file that is not a kit leaves it empty.
    EXPECT_EQ(errorOf(Bytes{0x00, 0x0A, 0x00}, kit), "Invalid stream format");
    EXPECT_EQ(kit.count(), 0);
}

TEST(KitFile, AtomicSaveAndFileLoad) {
    const auto dir = std::filesystem::temp_directory_path() / ("tamboro-kit-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto path = dir / "rock.dxg";
    const DrumKit kit = sampleKit();
    kit.saveToFile(path);
    DrumKit back;
    back.loadFromFile(path);
    EXPECT_EQ(back.saveToBytes(), kit.saveToBytes());

    // A save that cannot complete leaves the old kit in place.
    const auto blocked = dir / "no-such-folder" / "rock.dxg";
    EXPECT_THROW(kit.saveToFile(blocked), Error);
    EXPECT_EQ(std::filesystem::file_size(path), kit.saveToBytes().size());

    // A missing file fails before touching the kit.
    EXPECT_THROW(back.loadFromFile(dir / "missing.dxg"), Error);
    EXPECT_EQ(back.count(), kit.count());
    std::filesystem::remove_all(dir);
}
