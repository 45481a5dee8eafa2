#include "song/PatternFile.h"
#include "song/SongFile.h"
#include "song/SongScript.h"

#include <gtest/gtest.h>

#include <set>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

const fs::path kDemo = fs::path(TAMBORO_ASSETS) / "demo";

// The default kit's instruments, as the instrument list names them.
std::set<std::string> defaultKitNames() {
    std::set<std::string> names;
    for (std::string n :
         {"Kick", "Snare", "Rimshot", "Clap", "ClsHiat", "OpenHiat", "PedalHiat", "Low Tom", "Mid Tom",
          "High Tom", "Crash", "Ride", "Ride Bell", "Cowbell", "Tambourine", "Shaker"}) {
        n.resize(10, ' ');
        names.insert(n + "[ ]");
    }
    return names;
}

} // namespace

TEST(DemoWorkspace, EveryPatternLoadsAndUsesTheDefaultKit) {
    const auto kit = defaultKitNames();
    int patterns = 0;
    std::set<int> meters;
    for (const auto& entry : fs::directory_iterator(kDemo)) {
        if (entry.path().extension() != ".pat")
            continue;
        ++patterns;
        SCOPED_TRACE(entry.path().filename().string());
        const PatternFileData data = readPatternFile(entry.path());
        PatternGrid grid;
        loadPatternIntoGrid(grid, data);
        EXPECT_EQ(grid.name(), entry.path().stem().string());
        EXPECT_GE(data.length, 1);
        EXPECT_GE(data.loops, 1);
        EXPECT_GE(data.bpm, kMinSongTempo);
        EXPECT_LE(data.bpm, kMaxSongTempo);
        EXPECT_EQ(data.samples.size(), 32u);
        meters.insert(grid.length() * 100 + grid.stepsPerBeat());
        int hits = 0;
        for (int row = 2; row <= data.length + 1; ++row)
            for (int col = 1; col <= 6; ++col) {
                std::string cell = grid.cell(col, row);
                if (cell.empty())
                    continue;
                ++hits;
                ASSERT_EQ(cell.size(), 13u) << cell;
                cell[11] = ' ';
                EXPECT_TRUE(kit.count(cell)) << cell;
            }
        EXPECT_GT(hits, 0);
    }
    EXPECT_GE(patterns, 8);
    EXPECT_GE(meters.size(), 4u); // several lengths and meters, not one shape
}

TEST(DemoWorkspace, TheDemoSongPlaysEveryEntry) {
    const SongFileData song = readSongFile(kDemo / "Demo.sng");
    EXPECT_GE(song.entries.size(), 8u);
    EXPECT_EQ(song.samples.size(), 32u);
    PatternGrid grid;
    const SongScriptBuild script = buildSongScript(kDemo, song.entries, 0, grid);
    EXPECT_EQ(script.patterns, static_cast<int>(song.entries.size()));
    EXPECT_EQ(script.lines.back(), "%%%");
    EXPECT_EQ(std::count(script.lines.begin(), script.lines.end(), "//"),
              static_cast<long>(song.entries.size()));
}
