#include "song/EditSnapshots.h"

#include <gtest/gtest.h>

using namespace tamboro;

namespace {

bool sameStore(const PatternGrid& a, const PatternGrid& b) {
    if (a.rowCount() != b.rowCount() || a.endRow() != b.endRow())
        return false;
    for (int row = 0; row < PatternGrid::kMaxRows; ++row)
        for (int col = 0; col < PatternGrid::kColumns; ++col)
            if (a.cell(col, row) != b.cell(col, row))
                return false;
    return true;
}

} // namespace

TEST(GridChange, UndoAndRedoPutBackEitherSideIncludingRowsPastTheEnd) {
    PatternGrid before;
    before.setCell(2, 5, "Kick      [3]");
    before.setCell(1, 40, "kept past the end");
    PatternGrid after = before;
    after.setCell(2, 5, "");
    after.setCell(3, 6, "Snare     [ ]");
    after.layOut(48, 3);
    const GridChange change = diffGrids(before, after);
    EXPECT_FALSE(change.empty());

    PatternGrid grid = after;
    applyGridChange(grid, change, false);
    EXPECT_TRUE(sameStore(grid, before));
    applyGridChange(grid, change, true);
    EXPECT_TRUE(sameStore(grid, after));
}

TEST(GridChange, LeavesCellsTheStepDidNotTouch) {
    PatternGrid before;
    PatternGrid after = before;
    after.setCell(1, 2, "Kick      [ ]");
    const GridChange change = diffGrids(before, after);
    ASSERT_EQ(change.cells.size(), 1u);
    after.setCell(4, 9, "written by playback");
    applyGridChange(after, change, false);
    EXPECT_EQ(after.cell(1, 2), "");
    EXPECT_EQ(after.cell(4, 9), "written by playback");
}

TEST(GridChange, IdenticalGridsGiveAnEmptyChange) {
    PatternGrid grid;
    grid.setCell(1, 3, "x");
    EXPECT_TRUE(diffGrids(grid, grid).empty());
}

TEST(GridChange, MergingKeepsTheFirstBeforeAndTheLastAfter) {
    PatternGrid a, b, c;
    b.setName("Ro");
    c = b;
    c.setName("Rock");
    c.setCell(2, 2, "Kick      [ ]");
    const GridChange merged = mergeGridChanges(diffGrids(a, b), diffGrids(b, c));
    PatternGrid grid = c;
    applyGridChange(grid, merged, false);
    EXPECT_TRUE(sameStore(grid, a));
    applyGridChange(grid, merged, true);
    EXPECT_TRUE(sameStore(grid, c));
    // Typed and typed back: the merged change holds nothing.
    EXPECT_TRUE(mergeGridChanges(diffGrids(a, b), diffGrids(b, a)).empty());
}

TEST(ListsSnapshot, SelectionIsNoChangeButNamesAndChecksAre) {
    ListsSnapshot a;
    a.library.add("rock");
    a.playList.append("rock");
    ListsSnapshot b = a;
    b.library.select(0);
    b.playList.select(0);
    EXPECT_TRUE(sameEntries(a, b));
    b.playList.setChecked(0, true);
    EXPECT_FALSE(sameEntries(a, b));
    ListsSnapshot c = a;
    c.library.add("funk");
    EXPECT_FALSE(sameEntries(a, c));
    ListsSnapshot d = a;
    d.playList.append("rock");
    EXPECT_FALSE(sameEntries(a, d));
}
