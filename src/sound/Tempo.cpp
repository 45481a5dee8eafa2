#include "sound/Tempo.h"

#include "common/Rounding.h"

#include <algorithm>

namespace tamboro {

std::int32_t stepIntervalForBpm(int bpm) {
    const double steps = 60.0 / boundedBpm(bpm) * 1000.0 / 4.0;
    return static_cast<std::int32_t>(roundHalfEven(steps));
}

int boundedBpm(int bpm) {
    return std::clamp(bpm, kMinimumBpm, kMaximumBpm);
}

double tempoKnobValueFor(int bpm) {
    return std::clamp(bpm, kTempoKnobMin, kTempoKnobMax);
}

} // namespace tamboro
