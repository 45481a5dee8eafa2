#include "render/AcidLoop.h"

#include "common/Rounding.h"
#include "render/HitTimeline.h"
#include "render/WaveBuffer.h"

namespace tamboro {

LoopRange acidLoopRange(double firstStepSeconds, double songSeconds) {
    LoopRange range;
    range.first = roundHalfEven(44100 * firstStepSeconds);
    range.end = roundHalfEven((songSeconds + firstStepSeconds) * 44100);
    if (range.end < range.first)
        range.end = range.first;
    return range;
}

void writeAcidLoop(const HitTimeline& mix, const LoopRange& range, const std::filesystem::path& path) {
    WaveBuffer loop;
    loop.sampleRate = 44100;
    std::int64_t frame = 0;
    mix.render(range.first, range.end, [&](std::span<const std::int16_t> block) {
        for (std::size_t i = 0; i + 1 < block.size(); i += 2, ++frame) {
            loop.writeSample(0, frame, block[i]);
            loop.writeSample(1, frame, block[i + 1]);
        }
    });
    loop.saveToFile(path);
}

} // namespace tamboro
