// Feeds arbitrary bytes to the render buffer's WAV reading (its own rules on the shared chunk
// walker, bounded by the declared RIFF size), then reads samples and mixes the loaded sound into a
// memory buffer: every path must either refuse with an Error or stay in bounds. Sounds that would
// cover more than 100000 frames are not mixed, to keep each run short. A sound that loaded must
// load again, format and data unchanged, from the image the shared WAV writer makes of it.
#include "common/ByteWriter.h"
#include "common/Error.h"
#include "common/WavWriter.h"
#include "render/HitContribution.h"
#include "render/WaveBuffer.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

// Writes the loaded sound with the shared writer and reads it back into a fresh buffer.
void checkRoundTrip(tamboro::WaveBuffer& source) {
    tamboro::ByteWriter format;
    format.u16(source.formatTag);
    format.u16(source.channels);
    format.u32(source.sampleRate);
    format.u32(source.byteRate);
    format.u16(source.blockAlign);
    format.u16(source.bitsPerSample);
    const auto data = source.dataBytes();
    tamboro::WaveBuffer back;
    back.loadFromBytes(tamboro::wavImage(format.data(), data, tamboro::WavLayout::Standard), "again.wav");
    if (back.formatTag != source.formatTag || back.channels != source.channels ||
        back.sampleRate != source.sampleRate || back.byteRate != source.byteRate ||
        back.blockAlign != source.blockAlign || back.bitsPerSample != source.bitsPerSample ||
        back.dataBytes() != data)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tamboro::WaveBuffer source;
    try {
        source.loadFromBytes(std::span(data, size), "fuzz.wav");
    } catch (const tamboro::Error&) {
        return 0;
    }
    checkRoundTrip(source);
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
