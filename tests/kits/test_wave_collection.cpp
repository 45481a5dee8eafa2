#include "common/Error.h"
#include "kits/DrumKit.h"

#include <gtest/gtest.h>

using tamboro::DrumKit;
using tamboro::Error;

TEST(WaveCollection, FindIgnoresCaseAndReportsMissingNames) {
    DrumKit kit;
    kit.add();
    kit.add().setName("Kick      [ ]");
    kit.add().setName("Snare     [ ]");
    EXPECT_EQ(kit.find("KICK      [ ]").index(), 1);
    EXPECT_EQ(kit.indexOf("snare     [ ]"), 2);
    EXPECT_EQ(kit.indexOf(""), 0);
    EXPECT_EQ(kit.indexOf("Clap"), -1);
    try {
        kit.find("Sample1");
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Wave 'Sample1' not found");
    }
}

TEST(WaveCollection, LastAssignedOfEqualNamesWins) {
    DrumKit kit;
    kit.add().setName("Tom");
    kit.add().setName("TOM");
    EXPECT_EQ(kit.indexOf("tom"), 1);
    EXPECT_EQ(kit.find("Tom").index(), 1);
    // Renaming the first moves it to the front of its chain.
    kit.item(0).setName("tOm");
    EXPECT_EQ(kit.indexOf("TOM"), 0);
    // Renaming away takes it out of the old chain.
    kit.item(0).setName("Cowbell");
    EXPECT_EQ(kit.indexOf("tom"), 1);
    EXPECT_EQ(kit.indexOf("cowbell"), 0);

    // A copy keeps the same tie-break.
    kit.add().setName("tom");
    kit.item(1).setName("Tom");
    const DrumKit copy = kit;
    EXPECT_EQ(copy.indexOf("TOM"), 1);
}

TEST(WaveCollection, ChainFunction) {
    struct Case {
        const char* name;
        int chain;
    };
    const Case cases[] = {
        {"", 0},
        {"a", 16},
        {"ab", (32 + 'a' + 'a') % 256},
        {"AB", (32 + 'a' + 'a') % 256},
        {"Kick      [ ]", (16 * 13 + 'k' + ' ') % 256},
        {"xyz", (48 + 'x' + 'y') % 256},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DrumKit::chainOf(c.name), c.chain) << c.name;
}

TEST(WaveCollection, ItemDefaultsAndClamping) {
    DrumKit kit;
    auto& item = kit.add();
    EXPECT_EQ(item.name(), "");
    EXPECT_FALSE(item.looped());
    EXPECT_EQ(item.maxPlayingCount(), 0);
    EXPECT_TRUE(item.wave().empty());
    EXPECT_EQ(item.frequency(), 0);
    EXPECT_EQ(item.pan(), 0);
    EXPECT_EQ(item.volume(), 0);
    item.setMaxPlayingCount(-5);
    EXPECT_EQ(item.maxPlayingCount(), 0);
    EXPECT_THROW(kit.item(1), Error);
    EXPECT_THROW(kit.item(-1), Error);
}

TEST(WaveCollection, DisplayName) {
    DrumKit kit;
    const std::pair<const char*, const char*> cases[] = {{"Kick      [ ]", "Kick"},
                                                         {"Low Tom   [ ]", "Low Tom"},
                                                         {"", ""},
                                                         {"[ ]", ""},
                                                         {"  X  [ ]", "X"},
                                                         {"ab", ""}};
    for (const auto& [name, shown] : cases) {
        auto& item = kit.add();
        item.setName(name);
        EXPECT_EQ(item.displayName(), shown) << name;
    }
}

TEST(WaveCollection, CopiesAndMovesAreIndependent) {
    DrumKit kit;
    kit.add().setName("A");
    DrumKit copy = kit;
    copy.item(0).setName("B");
    EXPECT_EQ(kit.indexOf("A"), 0);
    EXPECT_EQ(kit.indexOf("B"), -1);
    DrumKit moved = std::move(copy);
    moved.item(0).setName("C");
    EXPECT_EQ(moved.indexOf("C"), 0);
    EXPECT_EQ(moved.indexOf("B"), -1);
    kit = moved;
    EXPECT_EQ(kit.indexOf("C"), 0);
    EXPECT_EQ(kit.indexOf("A"), -1);
}
