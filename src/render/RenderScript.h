#pragma once
// The song script the renderer walks: for each Play List entry "//", its tempo, and its six cell
// lines per step row for every loop; "%%%" at the end. Each pattern is kept once with its loop
// count instead of being copied out per loop, so the script's memory does not grow with the number
// of loops; line numbers and line texts are those of the flattened script.

#include "song/PatternFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tamboro {

inline constexpr const char* kRenderScriptPatternStart = "//";
inline constexpr const char* kRenderScriptEnd = "%%%";

// One Play List entry in the script.
struct ScriptSegment {
    int tempo = 120;       // BPM as stored in the pattern file
    int loops = 1;         // at least 1
    int steps = 0;         // at least 1
    int stepsPerBeat = 4;  // T, from the pattern's "Time:" cell (the practice click's beat marks)
    std::size_t entry = 0; // 0-based position of the entry in the Play List
    // The steps x 6 channel cells of one loop, row by row (shared by entries of the same file).
    std::shared_ptr<const std::vector<std::string>> cells;
    std::size_t firstLine = 0; // index of the "//" line in the flattened script

    std::size_t cellLines() const {
        return static_cast<std::size_t>(loops) * static_cast<std::size_t>(steps) * 6;
    }
    // The cell of flattened cell line `i` (0-based within this segment).
    const std::string& cell(std::size_t i) const {
        return (*cells)[i % (static_cast<std::size_t>(steps) * 6)];
    }
};

class RenderScript {
public:
    void append(ScriptSegment segment);
    const std::vector<ScriptSegment>& segments() const { return segments_; }
    // Lines of the flattened script, "%%%" included.
    std::size_t lineCount() const { return lines_ + 1; }
    // Index of the "%%%" line.
    std::size_t endLine() const { return lines_; }
    // The text of flattened line `index` (for tests and the dump).
    std::string line(std::size_t index) const;
    // Writes the flattened script as CR LF text lines, atomically.
    void writeText(const std::filesystem::path& path) const;
    // Visits every cell line in the order the renderer reads them: visit(segment index, step row
    // counted from the song's first row, channel 1 to 6, cell text).
    template <class Visit> void forEachCell(Visit&& visit) const {
        std::int64_t row = 0;
        for (std::size_t s = 0; s < segments_.size(); ++s) {
            const ScriptSegment& segment = segments_[s];
            const std::size_t lines = segment.cellLines();
            for (std::size_t i = 0; i < lines; ++i)
                visit(s, row + static_cast<std::int64_t>(i / 6), static_cast<int>(i % 6) + 1,
                      segment.cell(i));
            row += static_cast<std::int64_t>(lines / 6);
        }
    }

private:
    std::vector<ScriptSegment> segments_;
    std::size_t lines_ = 0;
};

// The preparation's reading of the Play List: the script, the lead-in and the song's length.
struct RenderSong {
    RenderScript script;
    // StepInterval / 1000 of the first pattern read (its step rounded to whole milliseconds).
    double firstStepSeconds = -1;
    // Sum over the entries of Loop x (60 / BPM / 4 x steps).
    double songSeconds = 0;
    // The last pattern read, for the main window to show (grid cells, tempo, loops, name).
    std::optional<PatternFileData> lastPattern;
};

// Reads the pattern file of each entry from `first` to the last, in order. A loop count below 1
// counts as 1; a pattern of no steps adds no lines; a tempo of 0 or less is refused, since its
// steps would never end. Throws Error naming the file for a missing or malformed pattern.
RenderSong readRenderSong(const std::filesystem::path& programDir, const std::vector<std::string>& entries,
                          std::size_t first);

// Round(60 / BPM x 1000 / 4): the step period in milliseconds.
int stepIntervalMs(int bpm);

} // namespace tamboro
