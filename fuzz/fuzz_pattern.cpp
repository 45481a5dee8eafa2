// Feeds arbitrary bytes to the pattern file reader and, when it accepts them, loads the result into
// a grid and writes it back: every path must either refuse cleanly or stay in bounds.
#include "common/Error.h"
#include "song/PatternFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto pattern = tamboro::parsePatternFile({data, size}, "fuzz.pat");
        tamboro::PatternGrid grid;
        tamboro::loadPatternIntoGrid(grid, pattern);
        std::vector<tamboro::PatternSample> samples;
        for (const auto& s : pattern.samples)
            samples.push_back(s);
        (void)tamboro::buildPatternFileLines(grid, pattern.bpm, pattern.loops, samples);
    } catch (const tamboro::Error&) {
    }
    return 0;
}
