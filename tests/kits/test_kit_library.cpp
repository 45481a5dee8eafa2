#include "common/Error.h"
#include "common/Files.h"
#include "kits/DefaultKitSynth.h"
#include "kits/KitLibrary.h"
#include "sound/InstrumentList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

// A kit of the empty instrument and `instruments` named ones, each with a tiny sound.
DrumKit kitOf(int instruments, const std::string& prefix) {
    DrumKit kit;
    kit.add().setWave(blankWave());
    for (int i = 1; i <= instruments; ++i) {
        auto& item = kit.add();
        item.setName(kitInstrumentName(prefix + std::to_string(i)));
        item.setWave(Wave::pcm(1, 44100, 16, Wave::Bytes(8, static_cast<std::uint8_t>(i))));
    }
    return kit;
}

class KitLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tamboro-kitlib-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "other");
        kitOf(16, "Top").saveToFile(dir / "Topkit.dxg");
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

} // namespace

TEST_F(KitLibraryTest, LoadFillsTheInstrumentList) {
    KitLibrary library(dir);
    InstrumentList list;
    library.fillInstrumentList = [&](const DrumKit& kit) { list.fill(kit); };
    int paints = 0;
    library.paintKitList = [&] { ++paints; };
    library.deferKitListPaint = true;
    library.loadKit();
    EXPECT_EQ(paints, 0);
    EXPECT_FALSE(library.deferKitListPaint);
    EXPECT_EQ(list.count(), 49);
    EXPECT_EQ(library.lastKitIndex(), 16);
    EXPECT_EQ(list.entry(0), "");
    EXPECT_EQ(list.entry(1), "Top1      [ ]");
    EXPECT_EQ(list.entry(17), "Sample1");
    EXPECT_EQ(list.entry(48), "Sample32");
    EXPECT_EQ(list.entry(49), "");
    EXPECT_EQ(library.kitListCaption(), "Kit List-Topkit");

    library.loadKit();
    EXPECT_EQ(paints, 1);
}

TEST_F(KitLibraryTest, MissingKitFallsBackToTopkit) {
    KitLibrary library(dir);
    library.setKitFileName("rock.dxg");
    library.loadKit();
    EXPECT_EQ(library.kitFileName(), "Topkit.dxg");
    EXPECT_EQ(library.lastKitIndex(), 16);

    // Names are matched ignoring letter case.
    fs::rename(dir / "Topkit.dxg", dir / "topkit.DXG");
    library.loadKit();
    EXPECT_EQ(library.lastKitIndex(), 16);

    fs::remove(dir / "topkit.DXG");
    library.setKitFileName("rock.dxg");
    EXPECT_THROW(library.loadKit(), Error);
}

TEST_F(KitLibraryTest, ChoosingAKitInAnotherFolder) {
    kitOf(20, "Rock").saveToFile(dir / "other" / "rock.dxg");
    KitLibrary library(dir);
    library.loadKit();
    ASSERT_TRUE(library.chooseKit((dir / "other" / "rock.dxg").string()));
    EXPECT_EQ(library.kitFileName(), "rock.dxg");
    EXPECT_EQ(library.kitListCaption(), "Kit List-rock");
    EXPECT_EQ(library.lastKitIndex(), 20);
    // The next start looks for the bare name in the program folder, and falls back.
    library.loadKit();
    EXPECT_EQ(library.kitFileName(), "Topkit.dxg");
    EXPECT_EQ(library.lastKitIndex(), 16);
}

TEST_F(KitLibraryTest, CancelOrBareExtensionChangesNothing) {
    KitLibrary library(dir);
    library.loadKit();
    EXPECT_FALSE(library.chooseKit(""));
    EXPECT_FALSE(library.chooseKit(".dxg"));
    EXPECT_EQ(library.kitFileName(), "Topkit.dxg");
}

TEST_F(KitLibraryTest, PanAndVolumeCarryOverByPosition) {
    kitOf(20, "Rock").saveToFile(dir / "rock.dxg");
    KitLibrary library(dir);
    library.loadKit();
    for (int i = 1; i <= 16; ++i) {
        library.kit().item(i).setPan(100 * i);
        library.kit().item(i).setVolume(-10 * i);
    }
    ASSERT_TRUE(library.chooseKit("rock.dxg"));
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(library.kit().item(i).pan(), i <= 16 ? 100 * i : 0) << i;
        EXPECT_EQ(library.kit().item(i).volume(), i <= 16 ? -10 * i : 0) << i;
    }
}

TEST_F(KitLibraryTest, ShortKitsAreSkippedInsteadOfFailing) {
    kitOf(5, "Tiny").saveToFile(dir / "tiny.dxg");
    KitLibrary library(dir);
    library.loadKit();
    for (int i = 1; i <= 16; ++i)
        library.kit().item(i).setPan(i);
    // To a shorter kit: positions 1 to 5 carry over, the extra-sample positions are skipped.
    ASSERT_NO_THROW(library.chooseKit("tiny.dxg"));
    EXPECT_EQ(library.lastKitIndex(), 5);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(library.kit().item(i).pan(), i);
    // From a shorter kit: the new kit loads, positions beyond the old kit keep 0.
    library.kit().item(2).setPan(-700);
    ASSERT_NO_THROW(library.chooseKit("Topkit.dxg"));
    EXPECT_EQ(library.lastKitIndex(), 16);
    EXPECT_EQ(library.kit().item(2).pan(), -700);
    EXPECT_EQ(library.kit().item(6).pan(), 0);
}

TEST_F(KitLibraryTest, FailedLoadKeepsTheOldList) {
    std::vector<std::uint8_t> bad = kitOf(3, "Bad").saveToBytes();
    bad.resize(bad.size() - 30);
    writeFileAtomically(dir / "bad.dxg", bad);
    KitLibrary library(dir);
    InstrumentList list;
    library.fillInstrumentList = [&](const DrumKit& kit) { list.fill(kit); };
    library.loadKit();
    list.setText("Top2      [ ]");
    EXPECT_THROW(library.chooseKit("bad.dxg"), Error);
    EXPECT_EQ(library.lastKitIndex(), 16);
    EXPECT_EQ(list.lastKitIndex(), 16);
    EXPECT_EQ(list.entry(16), "Top16     [ ]");
    EXPECT_EQ(list.text(), "Top2      [ ]");
    // The kit in use stays whole, and so does the name saved at shut-down.
    EXPECT_EQ(library.kit().count(), 17);
    EXPECT_EQ(library.kitFileName(), "Topkit.dxg");
}

TEST(KitLibrary, InsertInstrumentToggles) {
    const std::string kick = "Kick      [ ]";
    std::string cell;
    cell = toggleInstrument(cell, kick);
    EXPECT_EQ(cell, kick);
    cell = toggleInstrument(cell, kick);
    EXPECT_EQ(cell, "");
    // A cell with a level digit differs, so it is reset to the plain name.
    EXPECT_EQ(toggleInstrument("Kick      [3]", kick), kick);
}
