// Feeds arbitrary bytes to the render buffer's WAV reading, then reads samples and mixes the
// loaded sound into a memory buffer: every path must either refuse with an Error or stay in
// bounds. Sounds that would cover more than 100000 frames are not mixed, to keep each run short.
#include "common/Error.h"
#include "render/HitContribution.h"
#include "render/WaveBuffer.h"

#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tamboro::WaveBuffer source;
    try {
        source.loadFromBytes(std::span(data, size), "fuzz.wav");
    } catch (const tamboro::Error&) {
        return 0;
    }
    for (int c = -1; c <= source.channels + 1 && c < 8; ++c)
        for (std::int64_t f = -1; f <= source.frameCount && f < 64; ++f)
            (void)source.readSample(c, f);
    for (const int rate : {static_cast<int>(source.sampleRate), 44100, 8000}) {
        try {
            tamboro::HitContribution probe(source, 44100, 2, rate, 0.9, 0.25);
            if (probe.frames() > 100000)
                continue;
            tamboro::WaveBuffer mix;
            mix.mixWave(source, rate, 0.9, 0.25, 0.01);
            mix.mixWave(source, rate, 1.0, -2, 0);
        } catch (const tamboro::Error&) {
        }
    }
    return 0;
}
