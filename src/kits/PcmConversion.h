#pragma once
// The steps from decoded float samples to the 16-bit PCM the players take: resampling with
// libsamplerate's best sinc, and the TPDF-dithered reduction to 16 bits.

#include <cstdint>
#include <string>
#include <vector>

namespace tamboro {

// Interleaved float frames, nominally within -1..1.
struct FloatFrames {
    std::vector<float> samples;
    int channels = 1;
    std::uint32_t rate = 0;
    std::int64_t frames() const {
        return channels > 0 ? static_cast<std::int64_t>(samples.size()) / channels : 0;
    }
};

// Resamples to `rate` (SRC_SINC_BEST_QUALITY); the result has round(frames x rate / old rate)
// frames. Throws Error (its message starts with `label`) when libsamplerate refuses the ratio.
FloatFrames resample(const FloatFrames& in, std::uint32_t rate, const std::string& label);

// 16-bit little-endian PCM bytes of the frames: x 32768 plus triangular dither of +-1 LSB from a
// fixed seed (the same input always gives the same bytes), rounded and clamped.
std::vector<std::uint8_t> ditherTo16Bits(const std::vector<float>& samples);

} // namespace tamboro
