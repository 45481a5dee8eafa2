#include "kits/PcmConversion.h"

#include "common/Error.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>

namespace tamboro {

FloatFrames resample(const FloatFrames& in, std::uint32_t rate, const std::string& label) {
    FloatFrames out;
    out.channels = in.channels;
    out.rate = rate;
    const double ratio = static_cast<double>(rate) / in.rate;
    if (in.rate == 0 || !src_is_valid_ratio(ratio))
        throw Error(label + ": its sample rate of " + std::to_string(in.rate) + " Hz cannot be converted.");
    const std::int64_t inFrames = in.frames();
    const auto wanted = static_cast<std::int64_t>(std::llround(static_cast<double>(inFrames) * ratio));
    // A little room beyond the wanted length: libsamplerate decides the exact count itself.
    out.samples.assign(static_cast<std::size_t>((wanted + 16) * in.channels), 0.0f);
    SRC_DATA data{};
    data.data_in = in.samples.data();
    data.data_out = out.samples.data();
    data.input_frames = static_cast<long>(inFrames);
    data.output_frames = static_cast<long>(wanted + 16);
    data.src_ratio = ratio;
    if (const int err = src_simple(&data, SRC_SINC_BEST_QUALITY, in.channels); err != 0)
        throw Error(label + ": resampling failed (" + src_strerror(err) + ").");
    const auto made = std::min<std::int64_t>(data.output_frames_gen, wanted);
    out.samples.resize(static_cast<std::size_t>(made * in.channels));
    // The filter's delay can leave the last few frames unproduced: pad with silence to the length
    // the duration asks for.
    out.samples.resize(static_cast<std::size_t>(wanted * in.channels), 0.0f);
    return out;
}

std::vector<std::uint8_t> ditherTo16Bits(const std::vector<float>& samples) {
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    std::uint32_t state = 0x9E3779B9u; // xorshift32: fast, and the same every time
    auto uniform = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state >> 8) * (1.0f / 16777216.0f);
    };
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const float x = std::isfinite(samples[i]) ? samples[i] : 0.0f;
        const float dithered = x * 32768.0f + (uniform() - uniform());
        const auto value =
            static_cast<std::int32_t>(std::clamp(std::floor(dithered + 0.5f), -32768.0f, 32767.0f));
        const auto u = static_cast<std::uint16_t>(value);
        bytes[2 * i] = static_cast<std::uint8_t>(u & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(u >> 8);
    }
    return bytes;
}

} // namespace tamboro
