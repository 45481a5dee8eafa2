#include "common/Error.h"
#include "song/PatternFile.h"
#include "song/SongScript.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tamboro;

namespace {

void writePattern(const std::filesystem::path& dir, const std::string& name, int length, int bpm, int loops,
                  const std::string& mark) {
    PatternGrid grid;
    grid.layOut(length, 4);
    grid.setName(name);
    for (int row = 2; row <= length + 1; ++row)
        grid.setCell(1, row, mark + std::to_string(row));
    writePatternFile(dir, name, buildPatternFileLines(grid, bpm, loops, {}));
}

} // namespace

TEST(SongScript, FlattensTwoPatternsWithTheirLoops) {
    test::TempDir dir;
    writePattern(dir.path, "A", 16, 100, 2, "a");
    writePattern(dir.path, "B", 8, 140, 1, "b");
    PatternGrid grid;
    const auto build = buildSongScript(dir.path, {"A", "B"}, 0, grid);
    const auto& s = build.lines;
    ASSERT_EQ(s.size(), 1u + 1 + 192 + 1 + 1 + 48 + 1);
    EXPECT_EQ(s[0], "//");
    EXPECT_EQ(s[1], "100");
    EXPECT_EQ(s[2], "a2");
    EXPECT_EQ(s[3], "");
    EXPECT_EQ(s[2 + 96], "a2"); // the second loop starts again at step 1
    EXPECT_EQ(s[194], "//");
    EXPECT_EQ(s[195], "140");
    EXPECT_EQ(s[196 + 6 * 7], "b9");
    EXPECT_EQ(s.back(), "%%%");
    EXPECT_EQ(build.patterns, 2);
    EXPECT_EQ(build.lastBpm, 140);
    EXPECT_EQ(build.lastLoops, 1);
    EXPECT_EQ(build.lastName, "B");
    // The grid holds B's rows over A's, with its row count unchanged.
    EXPECT_EQ(grid.cell(0, 0), "B");
    EXPECT_EQ(grid.cell(2, 0), "8");
    EXPECT_EQ(grid.cell(1, 9), "b9");
    EXPECT_EQ(grid.cell(1, 15), "a15");
    EXPECT_EQ(grid.rowCount(), 18);
}

TEST(SongScript, StartsFromTheChosenEntry) {
    test::TempDir dir;
    writePattern(dir.path, "A", 16, 100, 2, "a");
    writePattern(dir.path, "B", 8, 140, 1, "b");
    PatternGrid grid;
    const auto build = buildSongScript(dir.path, {"A", "B"}, 1, grid);
    EXPECT_EQ(build.lines.size(), 1u + 1 + 48 + 1);
    EXPECT_EQ(build.lines[1], "140");
    EXPECT_EQ(buildSongScript(dir.path, {"A", "B"}, 2, grid).lines, std::vector<std::string>{"%%%"});
}

TEST(SongScript, LimitsTempoAndLoops) {
    test::TempDir dir;
    writePattern(dir.path, "Fast", 1, 320, 0, "f");
    writePattern(dir.path, "Slow", 1, 20, -3, "s");
    PatternGrid grid;
    const auto build = buildSongScript(dir.path, {"Fast", "Slow"}, 0, grid);
    EXPECT_EQ(build.lines, (std::vector<std::string>{"//", "300", "f2", "", "", "", "", "", "//", "60", "s2",
                                                     "", "", "", "", "", "%%%"}));
    EXPECT_EQ(build.lastBpm, 20); // the BPM field shows the stored tempo
    EXPECT_EQ(build.lastLoops, 1);
}

TEST(SongScript, APatternWithoutStepsAddsNoLines) {
    test::TempDir dir;
    writePattern(dir.path, "Empty", 0, 120, 4, "e");
    writePattern(dir.path, "B", 8, 140, 1, "b");
    PatternGrid grid;
    const auto build = buildSongScript(dir.path, {"Empty", "B", "Empty"}, 0, grid);
    EXPECT_EQ(build.lines.size(), 1u + 1 + 48 + 1);
    EXPECT_EQ(build.lines[0], "//");
    EXPECT_EQ(build.patterns, 3);
}

TEST(SongScript, AFailedBuildKeepsTheGridAndNamesTheFile) {
    test::TempDir dir;
    writePattern(dir.path, "A", 16, 100, 2, "a");
    PatternGrid grid;
    grid.setName("Mine");
    grid.setCell(1, 2, "Kick      [ ]");
    try {
        buildSongScript(dir.path, {"A", "Missing"}, 0, grid);
        ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Missing.pat"), std::string::npos) << e.what();
    }
    EXPECT_EQ(grid.name(), "Mine");
    EXPECT_EQ(grid.cell(1, 2), "Kick      [ ]");
}

TEST(SongScript, RefusesAbsurdLoopCounts) {
    test::TempDir dir;
    writePattern(dir.path, "Huge", 999, 120, 2'000'000'000, "h");
    PatternGrid grid;
    EXPECT_THROW(buildSongScript(dir.path, {"Huge"}, 0, grid), Error);
}
