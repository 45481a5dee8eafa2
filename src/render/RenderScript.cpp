#include "render/RenderScript.h"

#include "common/AtomicFileWriter.h"
#include "common/Error.h"
#include "common/Rounding.h"
#include "common/TextLines.h"

#include <map>

namespace tamboro {

void RenderScript::append(ScriptSegment segment) {
    segment.firstLine = lines_;
    lines_ += 2 + segment.cellLines();
    segments_.push_back(std::move(segment));
}

std::string RenderScript::line(std::size_t index) const {
    for (const auto& s : segments_) {
        if (index < s.firstLine || index >= s.firstLine + 2 + s.cellLines())
            continue;
        if (index == s.firstLine)
            return kRenderScriptPatternStart;
        if (index == s.firstLine + 1)
            return std::to_string(s.tempo);
        return s.cell(index - s.firstLine - 2);
    }
    if (index == lines_)
        return kRenderScriptEnd;
    throw Error("Song script line " + std::to_string(index) + " does not exist.");
}

void RenderScript::writeText(const std::filesystem::path& path) const {
    AtomicFileWriter out(path);
    std::string chunk;
    auto put = [&](const std::string& text) {
        chunk += text;
        chunk += "\r\n";
        if (chunk.size() >= (1u << 16)) {
            out.write(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(chunk.data()),
                                                    chunk.size()));
            chunk.clear();
        }
    };
    for (const auto& s : segments_) {
        put(kRenderScriptPatternStart);
        put(std::to_string(s.tempo));
        for (int loop = 0; loop < s.loops; ++loop)
            for (const auto& cell : *s.cells)
                put(cell);
    }
    put(kRenderScriptEnd);
    out.write(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(chunk.data()), chunk.size()));
    out.commit();
}

int stepIntervalMs(int bpm) {
    return static_cast<int>(roundHalfEven(60.0 / bpm * 1000 / 4));
}

RenderSong readRenderSong(const std::filesystem::path& programDir, const std::vector<std::string>& entries,
                          std::size_t first) {
    RenderSong song;
    // Entries naming the same pattern share one reading of its file.
    std::map<std::filesystem::path,
             std::pair<PatternFileData, std::shared_ptr<const std::vector<std::string>>>>
        read;
    for (std::size_t e = first; e < entries.size(); ++e) {
        const auto path = patternFilePath(programDir, entries[e]);
        auto found = read.find(path);
        if (found == read.end()) {
            PatternFileData data = readPatternFile(path);
            auto cells = std::make_shared<std::vector<std::string>>();
            cells->reserve(static_cast<std::size_t>(data.length) * 6);
            for (int row = 2; row <= data.length + 1; ++row)
                for (int col = 1; col <= 6; ++col)
                    cells->push_back(data.cells[static_cast<std::size_t>(PatternGrid::kColumns * row + col)]);
            found = read.emplace(path, std::make_pair(std::move(data), std::move(cells))).first;
        }
        const PatternFileData& data = found->second.first;
        if (data.bpm <= 0)
            throw Error("Pattern \"" + entries[e] + "\" has a tempo of " + std::to_string(data.bpm) +
                        " BPM; a song can only be rendered at a tempo above 0.");
        if (song.firstStepSeconds == -1)
            song.firstStepSeconds = stepIntervalMs(data.bpm) / 1000.0;
        const int loops = data.loops < 1 ? 1 : data.loops;
        if (data.length >= 1) {
            ScriptSegment segment;
            segment.tempo = data.bpm;
            segment.loops = loops;
            segment.steps = data.length;
            segment.entry = e;
            long long perBeat = 0;
            if (data.cells.size() > 4 && parseInteger(data.cells[4], perBeat) && perBeat >= 1 &&
                perBeat <= data.length)
                segment.stepsPerBeat = static_cast<int>(perBeat);
            segment.cells = found->second.second;
            song.script.append(std::move(segment));
        }
        song.songSeconds += loops * (60.0 / data.bpm / 4 * data.length);
        song.lastPattern = data;
    }
    return song;
}

} // namespace tamboro
