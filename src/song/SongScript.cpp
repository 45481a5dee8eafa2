#include "song/SongScript.h"

#include "song/PatternFile.h"

#include "common/Error.h"

#include <algorithm>
#include <cstdint>

namespace tamboro {

int songTempo(int storedBpm) {
    return std::clamp(storedBpm, kMinSongTempo, kMaxSongTempo);
}

SongScriptBuild buildSongScript(const std::filesystem::path& programDir,
                                const std::vector<std::string>& entries, std::size_t first,
                                PatternGrid& grid) {
    SongScriptBuild build;
    // Work on a copy so that a pattern that fails part-way leaves the grid as it was.
    PatternGrid scratch = grid;
    for (std::size_t i = first; i < entries.size(); ++i) {
        const PatternFileData data = readPatternFile(patternFilePath(programDir, entries[i]));
        writePatternCells(scratch, data);
        build.lastBpm = data.bpm;
        build.lastLoops = std::max(data.loops, 1);
        build.lastName = scratch.name();
        ++build.patterns;
        // Every pattern header must be followed by at least one row: a pattern without steps
        // contributes nothing.
        if (data.length < 1)
            continue;
        const std::uint64_t added = std::uint64_t{6} * static_cast<std::uint64_t>(data.length) *
                                    static_cast<std::uint64_t>(build.lastLoops);
        if (build.lines.size() + added > kMaxSongScriptLines)
            throw Error("The song is too long to play: pattern \"" + entries[i] + "\" with " +
                        std::to_string(build.lastLoops) + " loops passes " +
                        std::to_string(kMaxSongScriptLines) + " script lines");
        build.lines.emplace_back(kScriptPatternStart);
        build.lines.push_back(std::to_string(songTempo(data.bpm)));
        for (int loop = 0; loop < build.lastLoops; ++loop)
            for (int row = PatternGrid::kFirstStepRow; row <= data.length + 1; ++row)
                for (int channel = 1; channel <= PatternGrid::kChannels; ++channel)
                    build.lines.push_back(scratch.cell(channel, row));
    }
    build.lines.emplace_back(kScriptEnd);
    grid = std::move(scratch);
    return build;
}

} // namespace tamboro
