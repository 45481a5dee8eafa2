#pragma once
// What an undo step keeps of the pattern grid and the two pattern lists: the grid as the cells an
// edit changed (with the row count and end row), the lists whole (they are a few names). Both
// restore in either direction without running the edit's rules again.

#include "song/PatternGrid.h"
#include "song/PatternLibrary.h"

#include <string>
#include <vector>

namespace tamboro {

struct CellChange {
    int col = 0, row = 0;
    std::string before, after;
};

// The difference between two states of the grid store.
struct GridChange {
    std::vector<CellChange> cells;
    int rowCountBefore = 0, rowCountAfter = 0;
    int endRowBefore = 0, endRowAfter = 0;

    bool empty() const {
        return cells.empty() && rowCountBefore == rowCountAfter && endRowBefore == endRowAfter;
    }
};

// Every stored cell that differs (rows past the row count included), and the row counts.
GridChange diffGrids(const PatternGrid& before, const PatternGrid& after);

// Writes the change's `after` side (redo) or `before` side (undo) into `grid`. Cells the change
// does not name keep what they hold, so whatever else wrote to the grid since stays.
void applyGridChange(PatternGrid& grid, const GridChange& change, bool redo);

// One change equal to `first` followed by `second` (typing a name key by key becomes one step).
GridChange mergeGridChanges(const GridChange& first, const GridChange& second);

// The Pattern Library and the Play List as one undo step sees them.
struct ListsSnapshot {
    PatternLibrary library;
    PlayList playList;
};

// True when both hold the same names in the same order with the same check marks; the selection
// is not an edit.
bool sameEntries(const ListsSnapshot& a, const ListsSnapshot& b);

} // namespace tamboro
