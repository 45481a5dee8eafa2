#include "common/Error.h"
#include "song/GridEditing.h"

#include <gtest/gtest.h>

using namespace tamboro;

namespace {
const std::string kKick = "Kick      [ ]";
const std::string kSnare = "Snare     [ ]";

std::string withLevel(std::string name, char level) {
    name[kLevelIndex] = level;
    return name;
}
} // namespace

TEST(TimeBar, SplitsTheBoxTextAtTheFirstSlash) {
    struct Case {
        const char* text;
        const char* length;
        const char* time;
    };
    const Case cases[] = {
        {"16/8", "16", "8"}, {" 24/4 ", "24", "4"}, {"64/8 ", "64", "8"},
        {"7", "", "7"},      {"1/2/3", "1", "2/3"}, {"/4", "", "4"},
    };
    for (const auto& c : cases) {
        PatternEditState state;
        setPendingTimeBar(state, c.text);
        EXPECT_EQ(state.pendingLength, c.length) << c.text;
        EXPECT_EQ(state.pendingTime, c.time) << c.text;
    }
    PatternEditState state;
    setPendingTimeBar(state, "32/4");
    setPendingTimeBar(state, "");
    EXPECT_EQ(state.pendingLength, "32");
}

TEST(TimeBar, FortyByTenGivesFortyTwoRows) {
    PatternGrid grid;
    PatternEditState state;
    setPendingTimeBar(state, "40/10");
    int playRow = 5;
    ASSERT_TRUE(applyTimeBar(grid, state, playRow));
    EXPECT_EQ(grid.rowCount(), 42);
    EXPECT_EQ(grid.endRow(), 42);
    EXPECT_EQ(grid.cell(2, 0), "40");
    EXPECT_EQ(grid.cell(4, 0), "10");
    for (int step = 1; step <= 40; ++step) {
        const bool starred = grid.cell(0, step + 1).back() == '*';
        EXPECT_EQ(starred, step % 10 == 1) << step;
    }
    EXPECT_EQ(playRow, 5);
}

TEST(TimeBar, NothingHappensBeforeTheBoxFirstChanges) {
    PatternGrid grid;
    const PatternEditState state;
    int playRow = 2;
    EXPECT_FALSE(applyTimeBar(grid, state, playRow));
    EXPECT_EQ(grid.rowCount(), 18);
}

TEST(TimeBar, ShrinkingAndGrowingKeepsTheLaterSteps) {
    PatternGrid grid;
    PatternEditState state;
    int playRow = 30;
    setPendingTimeBar(state, "32/4");
    applyTimeBar(grid, state, playRow);
    grid.setCell(2, 25, kSnare); // step 24
    setPendingTimeBar(state, "16/4");
    applyTimeBar(grid, state, playRow);
    EXPECT_EQ(grid.rowCount(), 18);
    EXPECT_EQ(playRow, 2); // the playing row was past the new end
    setPendingTimeBar(state, "32/4");
    applyTimeBar(grid, state, playRow);
    EXPECT_EQ(grid.cell(2, 25), kSnare);
    EXPECT_EQ(grid.cell(0, 33), "32:3");
}

TEST(TimeBar, BadChoicesAreRefusedAndChangeNothing) {
    for (const char* text :
         {"40.5/4", "abc/4", "16/x", "16/", "0/4", "1000/4", "-8/4", "16/0", "16/-2", "99999999999/4"}) {
        PatternGrid grid;
        PatternEditState state;
        setPendingTimeBar(state, text);
        int playRow = 10;
        EXPECT_THROW(applyTimeBar(grid, state, playRow), Error) << text;
        EXPECT_EQ(grid.rowCount(), 18) << text;
        EXPECT_EQ(grid.cell(2, 0), "16") << text;
        EXPECT_EQ(grid.cell(4, 0), "4") << text;
        EXPECT_EQ(playRow, 10) << text;
    }
    for (const auto& preset : timeBarPresets()) {
        PatternEditState state;
        setPendingTimeBar(state, preset);
        EXPECT_NO_THROW(parseTimeBar(state)) << preset;
    }
    EXPECT_EQ(timeBarPresets().size(), 24u);
}

TEST(LevelStep, CyclesBlankThroughNineToOne) {
    PatternGrid grid;
    grid.setCell(1, 2, kKick);
    std::string seen;
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(stepCellLevel(grid, 1, 2));
        seen += grid.cell(1, 2)[kLevelIndex];
    }
    EXPECT_EQ(seen, "2345678912");
}

TEST(LevelStep, LeavesCellsWithoutALevelAlone) {
    const std::string cells[] = {"", "Sample3", "Kick      [", "Kick      [x]"};
    for (const auto& text : cells) {
        PatternGrid grid;
        grid.setCell(1, 2, text);
        EXPECT_FALSE(stepCellLevel(grid, 1, 2)) << text;
        EXPECT_EQ(grid.cell(1, 2), text);
    }
    PatternGrid grid;
    grid.setCell(1, 2, withLevel(kKick, '0')); // a level only files carry
    EXPECT_TRUE(stepCellLevel(grid, 1, 2));
    EXPECT_EQ(grid.cell(1, 2), withLevel(kKick, '1'));
    EXPECT_FALSE(stepCellLevel(grid, 0, 2)); // fixed cells are never edited
}

TEST(PlaceOrRemove, ResetsALevelThenEmptiesTheCell) {
    PatternGrid grid;
    PatternEditState state;
    grid.setCell(2, 4, withLevel(kKick, '5'));
    EXPECT_EQ(placeOrRemove(grid, state, 2, 4, kKick), ToggleResult::Placed);
    EXPECT_EQ(grid.cell(2, 4), kKick);
    EXPECT_TRUE(state.patternChanged);
    state.patternChanged = false;
    EXPECT_EQ(placeOrRemove(grid, state, 2, 4, kKick), ToggleResult::Removed);
    EXPECT_EQ(grid.cell(2, 4), "");
    EXPECT_TRUE(state.patternChanged);
}

TEST(PlaceOrRemove, AnEmptyInstrumentDoesNothing) {
    PatternGrid grid;
    PatternEditState state;
    grid.setCell(2, 4, kKick);
    EXPECT_EQ(placeOrRemove(grid, state, 2, 4, ""), ToggleResult::Nothing);
    EXPECT_EQ(grid.cell(2, 4), kKick);
    EXPECT_FALSE(state.patternChanged);
}

TEST(PlaceOrRemove, InsertInstrumentLeavesPatternChangedAlone) {
    PatternGrid grid;
    EXPECT_EQ(toggleCellInstrument(grid, 1, 3, "Sample3"), ToggleResult::Placed);
    EXPECT_EQ(toggleCellInstrument(grid, 1, 3, "Sample3"), ToggleResult::Removed);
}

TEST(PlaceOrRemove, OnlyKitInstrumentsAreAuditioned) {
    const int lastKitIndex = 16;
    EXPECT_FALSE(shouldAudition(-1, lastKitIndex)); // not in the list
    EXPECT_FALSE(shouldAudition(0, lastKitIndex));  // the empty instrument
    EXPECT_TRUE(shouldAudition(1, lastKitIndex));
    EXPECT_TRUE(shouldAudition(16, lastKitIndex));
    EXPECT_FALSE(shouldAudition(17, lastKitIndex)); // Sample1
}

TEST(LevelDigit, PlacesTheInstrumentAtTheLevelAndJumps) {
    PatternGrid grid;
    PatternEditState state;
    state.cellJump = 2;
    EXPECT_EQ(applyLevelDigit(grid, state, 3, 5, '5', kSnare), 7);
    EXPECT_EQ(grid.cell(3, 5), withLevel(kSnare, '5'));
    EXPECT_TRUE(state.patternChanged);
    // Typing into a filled cell changes only its level.
    EXPECT_EQ(applyLevelDigit(grid, state, 3, 5, '8', kKick), 7);
    EXPECT_EQ(grid.cell(3, 5), withLevel(kSnare, '8'));
}

TEST(LevelDigit, DoesNotJumpPastTheLastRow) {
    PatternGrid grid; // rows 0..17
    PatternEditState state;
    state.cellJump = 2;
    EXPECT_EQ(applyLevelDigit(grid, state, 1, 15, '3', kKick), 17);
    EXPECT_EQ(applyLevelDigit(grid, state, 1, 16, '3', kKick), 16);
    EXPECT_EQ(applyLevelDigit(grid, state, 1, 17, '3', kKick), 17);
    state.cellJump = 0;
    EXPECT_EQ(applyLevelDigit(grid, state, 1, 4, '3', kKick), 4);
}

TEST(LevelDigit, AnExtraSampleTakesNoLevel) {
    PatternGrid grid;
    PatternEditState state;
    state.cellJump = 2;
    EXPECT_EQ(applyLevelDigit(grid, state, 1, 4, '4', "Sample3"), 4);
    EXPECT_EQ(grid.cell(1, 4), "Sample3");
    EXPECT_FALSE(state.patternChanged);
}

TEST(LevelDigit, ShortAndOddCells) {
    struct Case {
        std::string before;
        char key;
        std::string after;
        bool changed;
    };
    const Case cases[] = {
        {"1234567890", '4', "1234567890", true},   // 10 characters: kept, but counts as an edit
        {"12345678901", '4', "12345678901", true}, // 11 characters
        {kKick, '0', kKick, false},                // only 1..9 are level keys
        {kKick, 'a', kKick, false},
    };
    for (const auto& c : cases) {
        PatternGrid grid;
        PatternEditState state;
        grid.setCell(1, 2, c.before);
        applyLevelDigit(grid, state, 1, 2, c.key, kSnare);
        EXPECT_EQ(grid.cell(1, 2), c.after) << c.before << " " << c.key;
        EXPECT_EQ(state.patternChanged, c.changed) << c.before << " " << c.key;
    }
}

TEST(DeleteSelectedCells, EmptiesExactlyTheSelection) {
    PatternGrid grid;
    for (int row = 2; row <= 17; ++row)
        for (int col = 1; col <= 6; ++col)
            grid.setCell(col, row, kKick);
    PatternEditState state;
    deleteSelectedCells(grid, state, {2, 5, 4, 8}); // 3 columns by 4 rows
    int emptied = 0;
    for (int row = 2; row <= 17; ++row)
        for (int col = 1; col <= 6; ++col) {
            const bool inside = col >= 2 && col <= 4 && row >= 5 && row <= 8;
            EXPECT_EQ(grid.cell(col, row).empty(), inside) << col << "," << row;
            emptied += grid.cell(col, row).empty();
        }
    EXPECT_EQ(emptied, 12);
    EXPECT_TRUE(state.patternChanged);
    EXPECT_EQ(grid.cell(0, 5), "4:3"); // labels are never deleted
}

TEST(ClearGridCells, EmptiesRowsTwoToSixtySixWhateverTheLength) {
    PatternGrid grid;
    grid.layOut(70, 4);
    grid.setName("Big");
    for (int row = 2; row <= 71; ++row)
        grid.setCell(1 + row % 6, row, kKick);
    clearGridCells(grid);
    for (int step = 1; step <= 70; ++step)
        EXPECT_EQ(grid.cell(1 + (step + 1) % 6, step + 1).empty(), step <= 65) << step;
    EXPECT_EQ(grid.name(), "");
    EXPECT_EQ(grid.cell(2, 0), "70");
    EXPECT_EQ(grid.cell(0, 2), "1:0*");
    EXPECT_EQ(grid.cell(1, 1), "Ch:1");
    EXPECT_EQ(grid.rowCount(), 72);
}

TEST(SmallRules, LoopsAndCellJump) {
    EXPECT_EQ(clampLoops(0), 1);
    EXPECT_EQ(clampLoops(-5), 1);
    EXPECT_EQ(clampLoops(7), 7);
    EXPECT_EQ(clampCellJump(-3), 0);
    EXPECT_EQ(clampCellJump(4), 4);
}

TEST(CopyPasteCells, CopiesTheChannelPartOfTheSelectionAndPastesClippedAtTheEdges) {
    PatternGrid grid;
    PatternEditState state;
    grid.setCell(1, 2, "Kick      [ ]");
    grid.setCell(2, 3, "Snare     [4]");
    // The step label column and header rows are left out of a copy.
    const CellBlock block = copyCells(grid, CellRect{0, 0, 2, 3});
    ASSERT_EQ(block.columns, 2);
    ASSERT_EQ(block.rows.size(), 2u);
    EXPECT_EQ(block.rows[0][0], "Kick      [ ]");
    EXPECT_EQ(block.rows[1][1], "Snare     [4]");

    const CellRect written = pasteCells(grid, state, block, 5, 16);
    EXPECT_TRUE(state.patternChanged);
    EXPECT_EQ(written.left, 5);
    EXPECT_EQ(written.right, 6);
    EXPECT_EQ(written.top, 16);
    EXPECT_EQ(written.bottom, 17); // the last step of 16: row 17
    EXPECT_EQ(grid.cell(5, 16), "Kick      [ ]");
    EXPECT_EQ(grid.cell(6, 17), "Snare     [4]");
    EXPECT_EQ(grid.cell(5, 18), ""); // nothing past the last step

    // A paste at the last channel keeps only the block's first column.
    state.patternChanged = false;
    const CellRect edge = pasteCells(grid, state, block, 6, 2);
    EXPECT_EQ(edge.right, 6);
    EXPECT_EQ(grid.cell(6, 2), "Kick      [ ]");
    EXPECT_EQ(grid.cell(7, 2), "");

    // Nothing to paste, or no channel cell under the cursor: nothing changes.
    state.patternChanged = false;
    EXPECT_LT(pasteCells(grid, state, CellBlock{}, 1, 2).right, 1);
    EXPECT_LT(pasteCells(grid, state, block, 0, 2).right, 0);
    EXPECT_FALSE(state.patternChanged);
}
