#pragma once
// The editing rules of the pattern grid, as plain functions over the grid store and the editor's
// state, so that the widget only maps mouse and keys onto them.

#include "song/PatternGrid.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamboro {

// The main window's fields of the grid editor.
struct PatternEditState {
    bool patternChanged = false;
    // The Time/Bar box's text split at its first "/", blanks trimmed; empty until the box changes.
    std::string pendingLength;
    std::string pendingTime;
    // Rows the cursor moves down after a level digit; never negative.
    int cellJump = 0;
    // A mouse button went down on the grid since the last pattern step.
    bool gridClicked = false;
};

// A selection rectangle in grid cells, both corners included.
struct CellRect {
    int left = 0, top = 0, right = -1, bottom = -1;
};

// The position of a kit instrument's level inside a cell text: the 12th character.
inline constexpr std::size_t kLevelIndex = 11;

// True for a channel cell (columns 1..6, rows from 2 on); the gestures act on nothing else.
bool isChannelCell(int col, int row);

// Level cycling: blank (counting as 1) -> 2 -> ... -> 9 -> 1. Empty for a character that is not a
// blank or a digit.
std::optional<char> nextLevel(char level);

// `stepCellLevel`: the right-button level step of a cell. Leaves empty cells, texts shorter than 12
// characters and a 12th character that is no level alone. Does not set patternChanged. Returns
// true when the cell changed.
bool stepCellLevel(PatternGrid& grid, int col, int row);

enum class ToggleResult { Nothing, Placed, Removed };

// "Insert instrument": writes `instrument` into the cell, or empties the cell when it already holds
// exactly that text. Nothing happens for an empty instrument. No sound, patternChanged untouched.
ToggleResult toggleCellInstrument(PatternGrid& grid, int col, int row, const std::string& instrument);

// Left or middle button release: toggleCellInstrument, and patternChanged set when it acted. The caller
// auditions a placed instrument when shouldAudition says so.
ToggleResult placeOrRemove(PatternGrid& grid, PatternEditState& state, int col, int row,
                           const std::string& instrument);

// Only kit instruments (list positions 1..lastKitIndex) are auditioned; extra samples are not.
bool shouldAudition(int instrumentPosition, int lastKitIndex);

// Key press of a level digit '1'..'9' on the current cell (other characters are ignored): places
// the current instrument into an empty cell, writes the digit as the 12th character of a cell of
// 12 or more characters, moves down by cellJump when that stays inside the grid, and sets
// patternChanged; a cell shorter than 10 characters stops before the move. Returns the new row.
int applyLevelDigit(PatternGrid& grid, PatternEditState& state, int col, int row, char digit,
                    const std::string& instrument);

// Delete key: empties every channel cell inside the selection and sets patternChanged.
void deleteSelectedCells(PatternGrid& grid, PatternEditState& state, const CellRect& selection);

// A rectangle of channel cells copied from the grid, row by row.
struct CellBlock {
    int columns = 0;
    std::vector<std::vector<std::string>> rows;
    bool empty() const { return rows.empty(); }
};

// Ctrl+C: the channel cells inside the selection (the part of it outside the channel cells and
// the visible rows is left out).
CellBlock copyCells(const PatternGrid& grid, const CellRect& selection);

// Ctrl+V: writes `block` with its top left corner at (col, row); cells that would fall outside the
// channel columns or past the last step stay as they are. Sets patternChanged when a cell was
// written. Returns the rectangle written (right < left when nothing was).
CellRect pasteCells(PatternGrid& grid, PatternEditState& state, const CellBlock& block, int col, int row);

// Clear grid cells: empties the channel cells of rows 2..66 (whatever the row count) and the name
// cell. Headers, step labels, L and T stay. The caller also empties the name box.
void clearGridCells(PatternGrid& grid);

// Time/Bar box change: splits the text into pendingLength / pendingTime. An empty text does nothing.
void setPendingTimeBar(PatternEditState& state, std::string_view text);

// A checked Time/Bar choice.
struct TimeBar {
    int length = 0;
    int stepsPerBeat = 0;
};

// Reads pendingLength / pendingTime. Empty when nothing was chosen (pendingLength empty). Throws
// Error with a clear message when a part is not a whole number, the length is outside 1..999 or
// the steps per beat are below 1.
std::optional<TimeBar> parseTimeBar(const PatternEditState& state);

// Time/Bar button: lays the grid out for the pending choice (channel cells untouched) and moves
// `playRow` back to 2 when it lies past the new endRow. Returns false when there was nothing to
// apply; throws Error (grid unchanged) on a bad choice.
bool applyTimeBar(PatternGrid& grid, const PatternEditState& state, int& playRow);

// The loops box's rule: at least 1.
int clampLoops(int loops);
// The Options window's rule for cellJump: a negative value becomes 0.
int clampCellJump(int cellJump);

// The Time/Bar presets in list order, trailing blanks included.
const std::vector<std::string>& timeBarPresets();

} // namespace tamboro
