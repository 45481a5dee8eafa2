#include "testsupport/ClickPattern.h"

#include "kits/DrumKit.h"
#include "song/PatternFile.h"
#include "song/PatternGrid.h"

#include <vector>

namespace tamboro {

void writeClickPattern(const std::filesystem::path& dir, int steps, int bpm) {
    Wave::Bytes bytes;
    for (int i = 0; i < kClickFrames; ++i) {
        const auto v = static_cast<std::uint16_t>(kClickLevel);
        bytes.push_back(static_cast<std::uint8_t>(v & 0xff));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    DrumKit kit;
    kit.add();
    auto& click = kit.add();
    click.setName("Click     [ ]");
    click.setWave(Wave::pcm(1, 44100, 16, std::move(bytes)));
    kit.saveToFile(dir / kClickKitFile);

    PatternGrid grid;
    grid.layOut(steps, 4);
    grid.setName(kClickPatternName);
    for (int row = PatternGrid::kFirstStepRow; row < PatternGrid::kFirstStepRow + steps; ++row)
        grid.setCell(1, row, "Click     [0]");
    std::vector<PatternSample> samples(kExtraSampleCount, PatternSample{"Blank.wav", 44100});
    writePatternFile(dir, kClickPatternName, buildPatternFileLines(grid, bpm, 1, samples));
}

} // namespace tamboro
