// Feeds arbitrary bytes to the take reader. Any outcome but frames or an Error is a bug; the frames
// handed out must be finite, within -1..1, and no more than the file's declared length (at the
// take rate, plus the resampler's rounding) would give.
#include "common/Error.h"
#include "feedback/TakeReader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        tamboro::TakeReader take(std::span<const std::uint8_t>(data, size), "fuzz.wav");
        std::vector<float> block(1000);
        std::int64_t frames = 0;
        while (const std::size_t n = take.read(block)) {
            for (std::size_t i = 0; i < n; ++i)
                if (!(std::fabs(block[i]) <= 1.0f))
                    std::abort();
            frames += static_cast<std::int64_t>(n);
            if (frames > take.format().framesAtTakeRate() + 64)
                std::abort();
        }
    } catch (const tamboro::Error&) {
    }
    return 0;
}
