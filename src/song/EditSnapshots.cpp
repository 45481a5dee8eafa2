#include "song/EditSnapshots.h"

#include <map>
#include <utility>

namespace tamboro {

GridChange diffGrids(const PatternGrid& before, const PatternGrid& after) {
    GridChange change;
    change.rowCountBefore = before.rowCount();
    change.rowCountAfter = after.rowCount();
    change.endRowBefore = before.endRow();
    change.endRowAfter = after.endRow();
    // A cell never written reads as empty, so comparing the whole store finds every difference;
    // 7 x 1002 comparisons of mostly empty texts cost next to nothing against a user's edit.
    for (int row = 0; row < PatternGrid::kMaxRows; ++row)
        for (int col = 0; col < PatternGrid::kColumns; ++col) {
            const std::string& was = before.cell(col, row);
            const std::string& is = after.cell(col, row);
            if (was != is)
                change.cells.push_back(CellChange{col, row, was, is});
        }
    return change;
}

void applyGridChange(PatternGrid& grid, const GridChange& change, bool redo) {
    for (const CellChange& cell : change.cells)
        grid.setCell(cell.col, cell.row, redo ? cell.after : cell.before);
    grid.setRowCount(redo ? change.rowCountAfter : change.rowCountBefore);
    grid.setEndRow(redo ? change.endRowAfter : change.endRowBefore);
}

GridChange mergeGridChanges(const GridChange& first, const GridChange& second) {
    std::map<std::pair<int, int>, CellChange> cells;
    for (const CellChange& cell : first.cells)
        cells[{cell.row, cell.col}] = cell;
    for (const CellChange& cell : second.cells) {
        auto [it, added] = cells.try_emplace({cell.row, cell.col}, cell);
        if (!added)
            it->second.after = cell.after;
    }
    GridChange merged;
    merged.rowCountBefore = first.rowCountBefore;
    merged.endRowBefore = first.endRowBefore;
    merged.rowCountAfter = second.rowCountAfter;
    merged.endRowAfter = second.endRowAfter;
    for (auto& [position, cell] : cells)
        if (cell.before != cell.after) // a name typed and typed back is no change of that cell
            merged.cells.push_back(std::move(cell));
    return merged;
}

bool sameEntries(const ListsSnapshot& a, const ListsSnapshot& b) {
    if (a.library.entries() != b.library.entries() || a.playList.size() != b.playList.size())
        return false;
    for (int i = 0; i < a.playList.size(); ++i) {
        const PlayListEntry& x = a.playList.entries()[static_cast<std::size_t>(i)];
        const PlayListEntry& y = b.playList.entries()[static_cast<std::size_t>(i)];
        if (x.name != y.name || x.checked != y.checked)
            return false;
    }
    return true;
}

} // namespace tamboro
