#include "sound/WavCapture.h"

#include "common/ByteWriter.h"
#include "common/Error.h"
#include "common/Files.h"

#include <algorithm>
#include <cmath>

namespace tamboro {

void floatToInt16(std::span<const float> in, std::span<std::int16_t> out) {
    const std::size_t n = std::min(in.size(), out.size());
    for (std::size_t i = 0; i < n; ++i) {
        const float scaled = std::clamp(in[i], -1.0f, 1.0f) * 32767.0f;
        out[i] = static_cast<std::int16_t>(std::lrint(scaled));
    }
}

std::vector<std::uint8_t> wavImage16(std::uint16_t channels, std::uint32_t rate,
                                     std::span<const std::int16_t> samples) {
    const std::uint64_t dataBytes = samples.size() * 2;
    if (dataBytes > 0xFFFFFFFFull - 36)
        throw Error("The recording is too long for a WAV file");
    ByteWriter w;
    w.data().reserve(44 + dataBytes);
    w.text("RIFF");
    w.u32(static_cast<std::uint32_t>(36 + dataBytes));
    w.text("WAVEfmt ");
    w.u32(16);
    w.u16(1);
    w.u16(channels);
    w.u32(rate);
    w.u32(rate * channels * 2u);
    w.u16(static_cast<std::uint16_t>(channels * 2u));
    w.u16(16);
    w.text("data");
    w.u32(static_cast<std::uint32_t>(dataBytes));
    for (std::int16_t s : samples)
        w.u16(static_cast<std::uint16_t>(s));
    return std::move(w.data());
}

void writeWav16(const std::filesystem::path& path, std::uint16_t channels, std::uint32_t rate,
                std::span<const std::int16_t> samples) {
    writeFileAtomically(path, wavImage16(channels, rate, samples));
}

} // namespace tamboro
