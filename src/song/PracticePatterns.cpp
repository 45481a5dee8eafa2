#include "song/PracticePatterns.h"

#include "common/TextLines.h"
#include "song/PatternFile.h"

namespace tamboro {

PracticePatterns readPracticePatterns(const std::filesystem::path& programDir,
                                      const std::vector<std::string>& names) {
    PracticePatterns patterns;
    for (std::size_t e = 0; e < names.size(); ++e) {
        const PatternFileData data = readPatternFile(patternFilePath(programDir, names[e]));
        long long perBeat = 4;
        if (data.cells.size() <= 4 || !parseInteger(data.cells[4], perBeat) || perBeat < 1)
            perBeat = 4;
        patterns.entries.push_back({e, data.bpm, data.length, data.loops, static_cast<int>(perBeat)});
        std::vector<std::string> rows;
        for (int row = 2; row <= data.length + 1; ++row)
            for (int col = 1; col <= 6; ++col) {
                const auto at = static_cast<std::size_t>(7 * row + col);
                rows.push_back(at < data.cells.size() ? data.cells[at] : std::string());
            }
        patterns.cells.push_back(std::move(rows));
    }
    return patterns;
}

} // namespace tamboro
