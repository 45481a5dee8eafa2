#include "song/GridEditing.h"

#include "common/Error.h"
#include "common/TextLines.h"

#include <algorithm>
#include <climits>

namespace tamboro {

namespace {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

int wholeNumber(const std::string& text, const char* what) {
    long long value = 0;
    if (!parseInteger(text, value) || value < INT_MIN || value > INT_MAX)
        throw Error("The " + std::string(what) + " \"" + text + "\" is not a whole number.");
    return static_cast<int>(value);
}

} // namespace

bool isChannelCell(int col, int row) {
    return col >= 1 && col <= PatternGrid::kChannels && row >= PatternGrid::kFirstStepRow &&
           row < PatternGrid::kMaxRows;
}

std::optional<char> nextLevel(char level) {
    if (level == ' ')
        return '2';
    if (level < '0' || level > '9')
        return std::nullopt;
    return level == '9' ? '1' : static_cast<char>(level + 1);
}

bool stepCellLevel(PatternGrid& grid, int col, int row) {
    if (!isChannelCell(col, row))
        return false;
    std::string text = grid.cell(col, row);
    if (text.size() <= kLevelIndex)
        return false;
    const auto next = nextLevel(text[kLevelIndex]);
    if (!next)
        return false;
    text[kLevelIndex] = *next;
    grid.setCell(col, row, text);
    return true;
}

ToggleResult toggleCellInstrument(PatternGrid& grid, int col, int row, const std::string& instrument) {
    if (instrument.empty() || !isChannelCell(col, row))
        return ToggleResult::Nothing;
    if (grid.cell(col, row) != instrument) {
        // A cell with the same instrument at another level differs too: it is reset to the plain name.
        grid.setCell(col, row, instrument);
        return ToggleResult::Placed;
    }
    grid.setCell(col, row, "");
    return ToggleResult::Removed;
}

ToggleResult placeOrRemove(PatternGrid& grid, PatternEditState& state, int col, int row,
                           const std::string& instrument) {
    const ToggleResult result = toggleCellInstrument(grid, col, row, instrument);
    if (result != ToggleResult::Nothing)
        state.patternChanged = true;
    return result;
}

bool shouldAudition(int instrumentPosition, int lastKitIndex) {
    return instrumentPosition > 0 && instrumentPosition <= lastKitIndex;
}

int applyLevelDigit(PatternGrid& grid, PatternEditState& state, int col, int row, char digit,
                    const std::string& instrument) {
    if (digit < '1' || digit > '9' || !isChannelCell(col, row))
        return row;
    if (grid.cell(col, row).empty())
        grid.setCell(col, row, instrument);
    std::string text = grid.cell(col, row);
    if (text.size() < 10)
        return row;
    if (text.size() > kLevelIndex) {
        text[kLevelIndex] = digit;
        grid.setCell(col, row, text);
    }
    state.patternChanged = true;
    const int jump = std::max(state.cellJump, 0);
    return grid.rowCount() > row + jump ? row + jump : row;
}

CellBlock copyCells(const PatternGrid& grid, const CellRect& selection) {
    const int left = std::max(selection.left, 1);
    const int right = std::min(selection.right, PatternGrid::kChannels);
    const int top = std::max(selection.top, PatternGrid::kFirstStepRow);
    const int bottom = std::min(selection.bottom, grid.rowCount() - 1);
    CellBlock block;
    if (left > right || top > bottom)
        return block;
    block.columns = right - left + 1;
    for (int row = top; row <= bottom; ++row) {
        std::vector<std::string>& cells = block.rows.emplace_back();
        for (int col = left; col <= right; ++col)
            cells.push_back(grid.cell(col, row));
    }
    return block;
}

CellRect pasteCells(PatternGrid& grid, PatternEditState& state, const CellBlock& block, int col, int row) {
    CellRect written{col, row, col - 1, row - 1};
    if (!isChannelCell(col, row) || col > PatternGrid::kChannels || row >= grid.rowCount())
        return written;
    const int rows = std::min(static_cast<int>(block.rows.size()), grid.rowCount() - row);
    const int columns = std::min(block.columns, PatternGrid::kChannels - col + 1);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid.setCell(col + c, row + r,
                         block.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
    if (rows > 0 && columns > 0) {
        written.right = col + columns - 1;
        written.bottom = row + rows - 1;
        state.patternChanged = true;
    }
    return written;
}

void deleteSelectedCells(PatternGrid& grid, PatternEditState& state, const CellRect& selection) {
    const int left = std::max(selection.left, 1);
    const int right = std::min(selection.right, PatternGrid::kChannels);
    const int top = std::max(selection.top, PatternGrid::kFirstStepRow);
    const int bottom = std::min(selection.bottom, PatternGrid::kMaxRows - 1);
    for (int row = top; row <= bottom; ++row)
        for (int col = left; col <= right; ++col)
            grid.setCell(col, row, "");
    state.patternChanged = true;
}

void clearGridCells(PatternGrid& grid) {
    for (int row = PatternGrid::kFirstStepRow; row <= PatternGrid::kClearLastRow; ++row)
        for (int col = 1; col <= PatternGrid::kChannels; ++col)
            grid.setCell(col, row, "");
    grid.setName("");
}

void setPendingTimeBar(PatternEditState& state, std::string_view text) {
    if (text.empty())
        return;
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) {
        state.pendingLength.clear();
        state.pendingTime = trimBlanks(text);
        return;
    }
    state.pendingLength = trimBlanks(text.substr(0, slash));
    state.pendingTime = trimBlanks(text.substr(slash + 1));
}

std::optional<TimeBar> parseTimeBar(const PatternEditState& state) {
    if (state.pendingLength.empty())
        return std::nullopt;
    TimeBar choice;
    choice.length = wholeNumber(state.pendingLength, "pattern length");
    choice.stepsPerBeat = wholeNumber(state.pendingTime, "number of steps per beat");
    if (choice.length < 1 || choice.length > PatternGrid::kMaxLength)
        throw Error("A pattern has 1 to " + std::to_string(PatternGrid::kMaxLength) + " steps, not " +
                    std::to_string(choice.length) + ".");
    if (choice.stepsPerBeat < 1)
        throw Error("A beat needs at least 1 step, not " + std::to_string(choice.stepsPerBeat) + ".");
    return choice;
}

bool applyTimeBar(PatternGrid& grid, const PatternEditState& state, int& playRow) {
    const auto choice = parseTimeBar(state);
    if (!choice)
        return false;
    grid.layOut(choice->length, choice->stepsPerBeat);
    if (playRow > grid.endRow())
        playRow = PatternGrid::kFirstStepRow;
    return true;
}

int clampLoops(int loops) {
    return std::max(loops, 1);
}
int clampCellJump(int cellJump) {
    return std::max(cellJump, 0);
}

const std::vector<std::string>& timeBarPresets() {
    static const std::vector<std::string> presets = {"16/4",  "16/8",  "16/16", "8/8",   "8/4",   "8/2",
                                                     "4/4",   "4/2 ",  "12/4 ", "24/4 ", "24/8 ", "32/16",
                                                     "32/8 ", "32/4 ", "64/32", "64/16", "64/8 ", "64/4 ",
                                                     "3/3 ",  "9/3 ",  "12/3 ", "15/3 ", "7/4",   "7/7"};
    return presets;
}

} // namespace tamboro
