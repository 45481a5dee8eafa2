#include "common/Error.h"
#include "common/Files.h"
#include "kits/KitMaker.h"

#include "support/SoundFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace tamboro;

namespace {

struct Workspace {
    tamboro::test::TempDir tmp;
    fs::path dir = tmp.path;
    Workspace() {
        fs::create_directories(dir / "temp");
        Wave::pcm(1, 44100, 16, Wave::Bytes(20, 0)).writeFile(dir / "Blank.wav");
    }
};

std::string padded(const std::string& display) {
    return KitMaker::paddedItemName(display);
}

const std::vector<std::string> kNames{"Kick",      "Snare",   "Rimshot",    "Clap",     "ClsHiat", "OpenHiat",
                                      "PedalHiat", "Low Tom", "Mid Tom",    "High Tom", "Crash",   "Ride",
                                      "Ride Bell", "Cowbell", "Tambourine", "Shaker"};

// A 17-item main kit (the empty instrument and 16 instruments, each with a sound of its own) and
// its instrument list with the 32 extra samples after it.
struct MainKit {
    DrumKit kit;
    std::vector<std::string> list{""};
    MainKit() {
        kit.add();
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            auto& item = kit.add();
            item.setName(padded(kNames[i]));
            item.setWave(Wave::pcm(1, 22050, 8, Wave::Bytes(10 + i, static_cast<std::uint8_t>(i))));
            list.push_back(item.name());
        }
        for (int n = 1; n <= 32; ++n)
            list.push_back("Sample" + std::to_string(n));
    }
};

} // namespace

TEST(KitMaker, NamePaddingRules) {
    struct Case {
        const char* box;
        const char* item;
    } cases[] = {{"Kick", "Kick      [ ]"},
                 {"123456789", "123456789 [ ]"},
                 {"1234567890", "1234567890[ ]"},
                 {"", "          [ ]"},
                 {"12345678901", "1234567890[ ]"}};
    for (const auto& c : cases)
        EXPECT_EQ(KitMaker::paddedItemName(c.box), c.item) << c.box;
}

TEST(KitMaker, RowsShowDisplayNamesAndAddedRowsTakeExtraSampleNames) {
    MainKit main;
    EXPECT_EQ(KitMaker::rowsForKit(main.kit.count()), 16);
    EXPECT_EQ(KitMaker::rowDisplayName(main.list, 0), "Kick");
    EXPECT_EQ(KitMaker::rowDisplayName(main.list, 12), "Ride Bell");
    EXPECT_EQ(KitMaker::rowDisplayName(main.list, 16), "Samp"); // the first added row
}

TEST(KitMaker, UnchangedKitSavesSameNamesWithBlankSounds) {
    Workspace ws;
    MainKit main;
    KitMaker maker;
    maker.prepareKit(main.kit, main.list, ws.dir, false);
    EXPECT_EQ(maker.rowCount(), 16);
    std::vector<std::string> boxes;
    for (int r = 0; r < maker.rowCount(); ++r)
        boxes.push_back(KitMaker::rowDisplayName(main.list, r));
    maker.saveKit(boxes, ws.dir / "New.dxg");

    DrumKit saved;
    saved.loadFromFile(ws.dir / "New.dxg");
    ASSERT_EQ(saved.count(), 17);
    EXPECT_EQ(saved.item(0).name(), "");
    const Wave blank = Wave::readFile(ws.dir / "Blank.wav");
    for (int k = 1; k < 17; ++k) {
        EXPECT_EQ(saved.item(k).name(), main.kit.item(k).name());
        EXPECT_EQ(saved.item(k).wave(), blank);
    }
}

TEST(KitMaker, TemplateKeepsTheCurrentSounds) {
    Workspace ws;
    MainKit main;
    KitMaker maker;
    maker.prepareKit(main.kit, main.list, ws.dir, true);
    for (int k = 1; k < 17; ++k) {
        EXPECT_EQ(maker.kit().item(k).wave(), main.kit.item(k).wave()) << k;
        EXPECT_EQ(maker.slotFile(k), (ws.dir / "temp" / (std::to_string(k) + ".wav")).string());
    }
}

TEST(KitMaker, ChosenNonWavLeavesTheSlotAsItWas) {
    Workspace ws;
    MainKit main;
    KitMaker maker;
    maker.prepareKit(main.kit, main.list, ws.dir, false);
    const Wave good = Wave::pcm(2, 44100, 16, Wave::Bytes(40, 7));
    good.writeFile(ws.dir / "good.wav");
    maker.chooseFile(3, ws.dir / "good.wav");
    EXPECT_EQ(maker.selectedRow(), 3);
    EXPECT_EQ(maker.currentSlot(), 4);
    EXPECT_EQ(maker.kit().item(4).wave(), good);

    std::ofstream(ws.dir / "notes.wav") << "this is not a wave file";
    EXPECT_THROW(maker.chooseFile(3, ws.dir / "notes.wav"), Error);
    EXPECT_EQ(maker.slotFile(4), (ws.dir / "good.wav").string());
    EXPECT_EQ(maker.kit().item(4).wave(), good);
    EXPECT_THROW(maker.chooseFile(3, ws.dir / "missing.wav"), Error);
    EXPECT_EQ(maker.kit().item(4).wave(), good);
}

// Rows take any sound the reader reads; the saved kit holds it as 16-bit PCM, and a 16-bit WAV
// chosen next to it keeps its exact bytes.
TEST(KitMaker, RowsTakeOtherFormatsConverted) {
    Workspace ws;
    MainKit main;
    KitMaker maker;
    maker.prepareKit(main.kit, main.list, ws.dir, false);
    tamboro::test::writeSoundFile(ws.dir / "tom.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 1, 48000, 4800,
                                  tamboro::test::sine(200, 48000));
    const Wave exact = Wave::pcm(1, 22050, 8, Wave::Bytes(30, 0x80));
    exact.writeFile(ws.dir / "exact.wav");
    maker.chooseFile(0, ws.dir / "tom.aiff");
    maker.chooseFile(1, ws.dir / "exact.wav");
    maker.saveKit({"Tom", "Exact"}, ws.dir / "new.dxg");
    DrumKit saved;
    saved.loadFromFile(ws.dir / "new.dxg");
    EXPECT_EQ(maker.slotFile(1), (ws.dir / "tom.aiff").string());
    EXPECT_TRUE(saved.item(1).wave().isPlayablePcm());
    EXPECT_EQ(saved.item(1).wave().bitsPerSample(), 16);
    EXPECT_EQ(saved.item(1).wave().frames(), 4410u); // 48 kHz resampled to 44.1 kHz
    EXPECT_EQ(saved.item(2).wave(), exact);
}

TEST(KitMaker, AuditionFiles) {
    Workspace ws;
    MainKit main;
    KitMaker maker;
    maker.prepareKit(main.kit, main.list, ws.dir, false);
    // A row never given a file plays the blank sound of the program folder.
    EXPECT_EQ(maker.auditionFile(), ws.dir / "Blank.wav");
    // The first added row's slot was filled by the preparation; the second has no file yet.
    EXPECT_EQ(maker.addRow(), 16);
    EXPECT_EQ(maker.auditionFile(), ws.dir / "Blank.wav");
    EXPECT_EQ(maker.addRow(), 17);
    try {
        maker.auditionFile();
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "WaveStream not set");
    }
    EXPECT_EQ(maker.kit().count(), 19);
}

TEST(KitMaker, RowsStopAtTheLimit) {
    Workspace ws;
    MainKit main;
    KitMaker maker;
    maker.prepareKit(main.kit, main.list, ws.dir, false);
    while (maker.rowCount() < KitMaker::kMaxRows)
        maker.addRow();
    EXPECT_THROW(maker.addRow(), Error);
    EXPECT_EQ(maker.rowCount(), KitMaker::kMaxRows);
    EXPECT_EQ(maker.kit().count(), KitMaker::kMaxRows + 1);
}

TEST(KitMaker, MissingBlankWavFailsPreparation) {
    Workspace ws;
    fs::remove(ws.dir / "Blank.wav");
    MainKit main;
    KitMaker maker;
    EXPECT_THROW(maker.prepareKit(main.kit, main.list, ws.dir, false), Error);
}
