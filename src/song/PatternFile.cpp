#include "song/PatternFile.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "song/SampleNames.h"

#include <algorithm>
#include <cstdint>

namespace tamboro {

namespace {

// The largest pattern file: 1002 rows of seven short cells plus the sample pairs fit well below.
constexpr std::uintmax_t kMaxPatternFileBytes = 4u << 20;

class LineReader {
public:
    LineReader(const std::vector<std::string>& lines, const std::string& fileLabel)
        : lines_(lines), label_(fileLabel) {}

    [[noreturn]] void fail(std::size_t index, const std::string& what) const {
        throw Error("Pattern file \"" + label_ + "\", line " + std::to_string(index + 1) + ": " + what);
    }
    bool has(std::size_t index) const { return index < lines_.size(); }
    const std::string& at(std::size_t index, const char* what) const {
        if (!has(index))
            fail(index, std::string("the file ends before the ") + what);
        return lines_[index];
    }
    int integer(std::size_t index, const char* what) const {
        const std::string& text = at(index, what);
        long long value = 0;
        if (!parseInteger(text, value) || value < INT32_MIN || value > INT32_MAX)
            fail(index, std::string("the ") + what + " \"" + text + "\" is not a whole number");
        return static_cast<int>(value);
    }

private:
    const std::vector<std::string>& lines_;
    const std::string& label_;
};

std::string trimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

void copyRows(PatternGrid& grid, const PatternFileData& data) {
    for (std::size_t i = 0; i < data.cells.size(); ++i)
        grid.setCell(static_cast<int>(i % PatternGrid::kColumns), static_cast<int>(i / PatternGrid::kColumns),
                     data.cells[i]);
}

} // namespace

PatternFileData parsePatternFile(std::span<const std::uint8_t> bytes, const std::string& fileLabel) {
    const auto lines =
        splitLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    const LineReader in(lines, fileLabel);
    PatternFileData data;
    data.length = in.integer(2, "pattern length");
    if (data.length < 0 || data.length > PatternGrid::kMaxLength)
        in.fail(2, "a pattern has 0 to " + std::to_string(PatternGrid::kMaxLength) + " steps, not " +
                       std::to_string(data.length));
    const std::size_t cellCount =
        static_cast<std::size_t>(PatternGrid::kColumns) * static_cast<std::size_t>(data.length + 3);
    if (lines.size() < cellCount)
        in.fail(lines.size(), "the file ends inside the grid cells (" + std::to_string(cellCount) +
                                  " cell lines expected for " + std::to_string(data.length) + " steps)");
    data.cells.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(cellCount));
    data.bpm = in.integer(cellCount, "tempo");
    data.loops = in.integer(cellCount + 1, "loop count");

    std::size_t index = cellCount + 2;
    for (int n = 1; n <= kExtraSampleCount && in.has(index); ++n, index += 2) {
        PatternSample sample;
        sample.fileName = lines[index];
        if (!isBlankSample(sample.fileName)) {
            sample.frequency = in.integer(index + 1, "sample frequency");
        } else if (in.has(index + 1)) {
            // A blank sample's frequency is never used; keep it only when it is a number.
            long long value = 0;
            if (parseInteger(lines[index + 1], value) && value >= INT32_MIN && value <= INT32_MAX)
                sample.frequency = static_cast<int>(value);
        }
        data.samples.push_back(std::move(sample));
    }
    return data;
}

PatternFileData readPatternFile(const std::filesystem::path& path) {
    const auto bytes = readFileBytes(path, kMaxPatternFileBytes);
    return parsePatternFile(bytes, path.filename().string());
}

std::vector<std::string> buildPatternFileLines(const PatternGrid& grid, int bpm, int loops,
                                               const std::vector<PatternSample>& samples) {
    const int length = grid.length();
    if (length < 0 || length > PatternGrid::kMaxLength)
        throw Error("A pattern has 0 to " + std::to_string(PatternGrid::kMaxLength) + " steps, not " +
                    std::to_string(length));
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(PatternGrid::kColumns * (length + 3) + 2 + 2 * kExtraSampleCount));
    for (int row = 0; row <= length + 2; ++row)
        for (int col = 0; col < PatternGrid::kColumns; ++col)
            lines.push_back(grid.cell(col, row));
    lines.push_back(std::to_string(bpm));
    lines.push_back(std::to_string(loops));
    for (std::size_t n = 0; n < static_cast<std::size_t>(kExtraSampleCount); ++n) {
        if (n < samples.size()) {
            lines.push_back(samples[n].fileName);
            lines.push_back(std::to_string(samples[n].frequency.value_or(0)));
        } else {
            lines.push_back("Blank.wav");
            lines.push_back("0");
        }
    }
    return lines;
}

void checkPatternName(const std::string& name) {
    const std::string trimmed = trimBlanks(name);
    if (trimmed.empty())
        throw Error("A pattern needs a name.");
    if (trimmed == "." || trimmed == "..")
        throw Error("\"" + name + "\" cannot be used as a pattern name.");
    if (name.rfind("<*", 0) == 0)
        throw Error("A pattern name cannot begin with \"<*\".");
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F)
            throw Error("A pattern name cannot contain control characters.");
        if (std::string_view("\\/:*?\"<>|").find(ch) != std::string_view::npos)
            throw Error("A pattern name cannot contain any of the characters \\ / : * ? \" < > |");
    }
}

bool patternNameStaysInFolder(const std::string& name) {
    return name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::filesystem::path patternFilePath(const std::filesystem::path& programDir, const std::string& name) {
    if (!patternNameStaysInFolder(name))
        throw Error("\"" + name + "\" cannot name a pattern file in the program folder.");
    return resolveCaseInsensitive(programDir, name + ".pat");
}

void writePatternFile(const std::filesystem::path& programDir, const std::string& name,
                      const std::vector<std::string>& lines) {
    checkPatternName(name);
    writeTextLines(patternFilePath(programDir, name), lines);
}

void loadPatternIntoGrid(PatternGrid& grid, const PatternFileData& data) {
    grid.setRowCount(data.length + 2);
    grid.setEndRow(grid.rowCount());
    copyRows(grid, data);
}

void writePatternCells(PatternGrid& grid, const PatternFileData& data) {
    copyRows(grid, data);
}

} // namespace tamboro
