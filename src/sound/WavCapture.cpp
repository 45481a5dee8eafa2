#include "sound/WavCapture.h"

#include "common/Error.h"
#include "common/WavWriter.h"

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

namespace {

std::vector<std::uint8_t> littleEndianBytes(std::span<const std::int16_t> samples) {
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto u = static_cast<std::uint16_t>(samples[i]);
        bytes[2 * i] = static_cast<std::uint8_t>(u);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(u >> 8);
    }
    return bytes;
}

void checkLength(std::span<const std::int16_t> samples) {
    if (samples.size() * 2 > 0xFFFFFFFFull - 36)
        throw Error("The recording is too long for a WAV file");
}

} // namespace

std::vector<std::uint8_t> wavImage16(std::uint16_t channels, std::uint32_t rate,
                                     std::span<const std::int16_t> samples) {
    checkLength(samples);
    return wavImage(pcmFormatRecord(channels, rate, 16), littleEndianBytes(samples), WavLayout::Standard);
}

void writeWav16(const std::filesystem::path& path, std::uint16_t channels, std::uint32_t rate,
                std::span<const std::int16_t> samples) {
    checkLength(samples);
    writeWavFile(path, pcmFormatRecord(channels, rate, 16), littleEndianBytes(samples), WavLayout::Standard);
}

} // namespace tamboro
