#include "song/PatternGrid.h"

#include "common/Error.h"
#include "common/TextLines.h"

#include <cstdint>

namespace tamboro {

namespace {
const std::string kEmpty;

int readWholeNumber(const std::string& text, const char* what) {
    long long value = 0;
    if (!parseInteger(text, value) || value < INT32_MIN || value > INT32_MAX)
        throw Error("'" + text + "' is not a valid integer value (" + what + ")");
    return static_cast<int>(value);
}
} // namespace

std::string stepLabel(int step, int stepsPerBeat) {
    const int beat = stepsPerBeat >= 1 ? (step - 1) % stepsPerBeat : 0;
    std::string label = std::to_string(step) + ":" + std::to_string(beat);
    if (beat == 0)
        label += "*";
    return label;
}

std::string channelHeader(int channel) {
    return "Ch:" + std::to_string(channel);
}

PatternGrid::PatternGrid() {
    layOut(kDefaultLength, kDefaultStepsPerBeat);
}

void PatternGrid::setRowCount(int rows) {
    if (rows < kFirstStepRow || rows > kMaxRows)
        throw Error("A pattern has 0 to " + std::to_string(kMaxLength) + " steps");
    rowCount_ = rows;
}

const std::string& PatternGrid::cell(int col, int row) const {
    if (col < 0 || col >= kColumns || row < 0 || row >= static_cast<int>(rows_.size()))
        return kEmpty;
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

std::vector<std::string>& PatternGrid::rowCells(int row) {
    if (row >= static_cast<int>(rows_.size()))
        rows_.resize(static_cast<std::size_t>(row) + 1, std::vector<std::string>(kColumns));
    return rows_[static_cast<std::size_t>(row)];
}

void PatternGrid::setCell(int col, int row, std::string_view text) {
    if (!inStore(col, row))
        throw Error("Grid index out of range (" + std::to_string(col) + ", " + std::to_string(row) + ")");
    // Writing an empty text past the stored rows changes nothing, so it need not grow the store.
    if (text.empty() && row >= static_cast<int>(rows_.size()))
        return;
    rowCells(row)[static_cast<std::size_t>(col)] = text;
}

int PatternGrid::length() const {
    return readWholeNumber(cell(2, 0), "pattern length");
}
int PatternGrid::stepsPerBeat() const {
    return readWholeNumber(cell(4, 0), "steps per beat");
}

void PatternGrid::layOut(int length, int stepsPerBeat) {
    if (length < 0 || length > kMaxLength)
        throw Error("A pattern has 0 to " + std::to_string(kMaxLength) + " steps");
    setRowCount(length + 2);
    endRow_ = rowCount_;
    setCell(1, 0, "Length:");
    setCell(2, 0, std::to_string(length));
    setCell(3, 0, "Time:");
    setCell(4, 0, std::to_string(stepsPerBeat));
    writeStepLabels(length, stepsPerBeat);
}

void PatternGrid::writeStepLabels(int length, int stepsPerBeat) {
    for (int step = 1; step <= length; ++step)
        setCell(0, step + 1, stepLabel(step, stepsPerBeat));
    for (int channel = 1; channel <= kChannels; ++channel)
        setCell(channel, 1, channelHeader(channel));
}

} // namespace tamboro
