#pragma once
// Pattern files (name + ".pat" in the program folder): the grid's cell texts row by row for rows
// 0..L+2, seven per row, then the tempo, the loop count and 32 pairs of extra-sample file name and
// frequency. CR LF lines. A file may end right after the loop count.

#include "song/ExtraSampleCount.h"
#include "song/PatternGrid.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tamboro {

// One extra sample as a pattern file stores it.
struct PatternSample {
    std::string fileName;         // as the sample editor holds it; "Blank.wav" for a sample without a file
    std::optional<int> frequency; // hertz; absent only for a "Blank.wav" entry whose line is not a number
};

struct PatternFileData {
    std::vector<std::string> cells; // 7 x (L + 3) cell texts; cell (c, r) at 7 r + c
    int length = 0;                 // L, from line 3
    int bpm = 120;
    int loops = 1;
    // The pairs the file holds, in sample order (0 to 32 of them; a missing pair leaves that
    // sample as it is).
    std::vector<PatternSample> samples;
};

// Parses a pattern file. `fileLabel` names the file in error messages, which also give the line.
// Everything is checked before anything is returned, so a bad file changes nothing.
PatternFileData parsePatternFile(std::span<const std::uint8_t> bytes, const std::string& fileLabel);
PatternFileData readPatternFile(const std::filesystem::path& path);

// The lines of a pattern file for the grid as it stands (rows 0..L+2 with L from cell (2,0)),
// the tempo, the loop count and the 32 samples. Throws Error when cell (2,0) is not a usable length.
std::vector<std::string> buildPatternFileLines(const PatternGrid& grid, int bpm, int loops,
                                               const std::vector<PatternSample>& samples);

// Refuses, with a message, pattern names that cannot be a file in the program folder: empty after
// trimming blanks, "." or "..", path separators or other characters file names cannot hold,
// control characters, or a name starting with "<*" (the song files' sample marker).
void checkPatternName(const std::string& name);

// False for names that would reach outside the program folder: path separators, "." or "..".
bool patternNameStaysInFolder(const std::string& name);

// programDir / name + ".pat", found ignoring letter case when the exact name is missing. Throws
// Error for a name that would reach outside the folder (a song file may carry any text).
std::filesystem::path patternFilePath(const std::filesystem::path& programDir, const std::string& name);

// Writes the pattern file of `name` atomically (the old file stays whole if the write fails).
// Checks the name first.
void writePatternFile(const std::filesystem::path& programDir, const std::string& name,
                      const std::vector<std::string>& lines);

// Puts a parsed pattern into the grid as loading does: row count and endRow L + 2, then the cells
// of rows 0..L+2. Channel cells below are kept in the store.
void loadPatternIntoGrid(PatternGrid& grid, const PatternFileData& data);

// Copies the pattern's rows 0..L+2 into the grid without touching its row count or endRow (as song
// start and rendering do).
void writePatternCells(PatternGrid& grid, const PatternFileData& data);

} // namespace tamboro
