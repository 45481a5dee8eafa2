#include "common/Error.h"
#include "song/PatternGrid.h"

#include <gtest/gtest.h>

using namespace tamboro;

TEST(StepLabel, MarksTheFirstStepOfEachBeat) {
    struct Case {
        int stepsPerBeat;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {3, {"1:0*", "2:1", "3:2", "4:0*", "5:1", "6:2", "7:0*", "8:1", "9:2"}},
        {4, {"1:0*", "2:1", "3:2", "4:3", "5:0*", "6:1"}},
        {1, {"1:0*", "2:0*", "3:0*"}},
        {0, {"1:0*", "2:0*"}},
    };
    for (const auto& c : cases)
        for (std::size_t i = 0; i < c.labels.size(); ++i)
            EXPECT_EQ(stepLabel(static_cast<int>(i) + 1, c.stepsPerBeat), c.labels[i])
                << "T=" << c.stepsPerBeat;
}

TEST(PatternGrid, StartsAsSixteenStepsOfFour) {
    PatternGrid grid;
    EXPECT_EQ(grid.rowCount(), 18);
    EXPECT_EQ(grid.endRow(), 18);
    const std::vector<std::string> header = {"", "Length:", "16", "Time:", "4", "", ""};
    for (int c = 0; c < PatternGrid::kColumns; ++c)
        EXPECT_EQ(grid.cell(c, 0), header[static_cast<std::size_t>(c)]);
    EXPECT_EQ(grid.cell(0, 1), "");
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(grid.cell(c, 1), "Ch:" + std::to_string(c));
    EXPECT_EQ(grid.cell(0, 2), "1:0*");
    EXPECT_EQ(grid.cell(0, 17), "16:3");
    EXPECT_EQ(grid.cell(0, 18), "");
    EXPECT_EQ(grid.length(), 16);
    EXPECT_EQ(grid.stepsPerBeat(), 4);
}

TEST(PatternGrid, CellsBeyondTheRowCountKeepTheirText) {
    PatternGrid grid;
    grid.setCell(3, 30, "Kick      [ ]");
    grid.setRowCount(10);
    EXPECT_EQ(grid.cell(3, 30), "Kick      [ ]");
    grid.setRowCount(40);
    EXPECT_EQ(grid.cell(3, 30), "Kick      [ ]");
}

TEST(PatternGrid, RefusesIndexesOutsideTheStore) {
    PatternGrid grid;
    EXPECT_THROW(grid.setCell(7, 2, "x"), Error);
    EXPECT_THROW(grid.setCell(-1, 2, "x"), Error);
    EXPECT_THROW(grid.setCell(1, PatternGrid::kMaxRows, "x"), Error);
    EXPECT_THROW(grid.setRowCount(1), Error);
    EXPECT_THROW(grid.layOut(PatternGrid::kMaxLength + 1, 4), Error);
    EXPECT_EQ(grid.cell(9, 9000), "");
    grid.setCell(2, 0, "abc");
    EXPECT_THROW((void)grid.length(), Error);
}
