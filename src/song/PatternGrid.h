#pragma once
// The pattern grid store: the only in-memory form of the current pattern. Seven text columns;
// row 0 holds the header cells (name, "Length:", L, "Time:", T), row 1 the channel headers
// "Ch:1".."Ch:6", rows 2..L+1 the steps (column 0 the step label, columns 1..6 the channels).
// The store outlasts the row count: rows beyond it keep their text and show again when the row
// count grows, and saving writes one row past the last step from here.

#include <string>
#include <string_view>
#include <vector>

namespace tamboro {

class PatternGrid {
public:
    static constexpr int kColumns = 7;
    static constexpr int kChannels = 6;
    static constexpr int kFirstStepRow = 2;
    // Clearing empties rows 2..66 whatever the row count.
    static constexpr int kClearLastRow = 66;
    // Longest pattern the program accepts, in steps.
    static constexpr int kMaxLength = 999;
    // Rows the store can hold: rows 0..L+2 of the longest pattern (the row past the last step included).
    static constexpr int kMaxRows = kMaxLength + 3;
    static constexpr int kDefaultLength = 16;
    static constexpr int kDefaultStepsPerBeat = 4;

    // A 16-step pattern of 4 steps to a beat, every channel cell and the name empty.
    PatternGrid();

    // The visible row count, L + 2.
    int rowCount() const { return rowCount_; }
    // Changes the visible row count only; stored cells are kept. Throws Error outside 2..kMaxRows.
    void setRowCount(int rows);

    // `endRow`: the row count as playback knows it (set by layout, the Time/Bar button and loading;
    // song playback writes cells without touching it).
    int endRow() const { return endRow_; }
    void setEndRow(int rows) { endRow_ = rows; }

    // Cell text; a cell never written, or outside the store, reads as empty.
    const std::string& cell(int col, int row) const;
    // Throws Error when (col, row) lies outside 7 x kMaxRows.
    void setCell(int col, int row, std::string_view text);
    static bool inStore(int col, int row) { return col >= 0 && col < kColumns && row >= 0 && row < kMaxRows; }

    // Cell (0,0).
    const std::string& name() const { return cell(0, 0); }
    void setName(std::string_view name) { setCell(0, 0, name); }
    // Cell (2,0) / (4,0) read as whole numbers; Error when they do not hold one.
    int length() const;
    int stepsPerBeat() const;

    // Grid layout: row count and endRow L + 2, the row 0 headers, the step labels of rows 2..L+1 and
    // the channel headers. Channel cells are not touched. Throws Error unless 0 <= L <= kMaxLength.
    void layOut(int length, int stepsPerBeat);
    // Rewrites the step labels of rows 2..L+1 (T steps to a beat) and the channel headers of row 1.
    void writeStepLabels(int length, int stepsPerBeat);

    // Channel cell of channel 1..6 at step row r (2..L+1).
    const std::string& channelCell(int channel, int row) const { return cell(channel, row); }

private:
    std::vector<std::string>& rowCells(int row);

    std::vector<std::vector<std::string>> rows_; // grows on demand, never shrinks
    int rowCount_ = 0;
    int endRow_ = 0;
};

// `stepLabel`: the label of step k (1-based) with T steps to a beat: "k:b", b = (k-1) mod T, and
// "*" when b is 0. With T below 1 every step starts a beat.
std::string stepLabel(int step, int stepsPerBeat);

// The channel header of channel c: "Ch:c".
std::string channelHeader(int channel);

} // namespace tamboro
