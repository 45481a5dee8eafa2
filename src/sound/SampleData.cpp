#include "sound/SampleData.h"

#include "common/Error.h"
#include "kits/Wave.h"

namespace tamboro {

SampleData::SampleData(PcmFormat format, std::shared_ptr<const std::vector<std::uint8_t>> bytes)
    : format_(format), bytes_(std::move(bytes)) {
    const bool layoutOk = (format_.channels == 1 || format_.channels == 2) &&
                          (format_.bitsPerSample == 8 || format_.bitsPerSample == 16) &&
                          format_.sampleRate > 0;
    if (!layoutOk || !bytes_)
        throw Error("Sound Buffer cannot be made");
    frames_ = bytes_->size() / format_.bytesPerFrame();
}

std::shared_ptr<const SampleData> SampleData::fromWave(const Wave& wave) {
    if (!wave.isPlayablePcm())
        throw Error("Sound Buffer cannot be made");
    PcmFormat format{wave.channels(), wave.sampleRate(), wave.bitsPerSample()};
    return std::make_shared<const SampleData>(format, wave.sharedData());
}

std::shared_ptr<const SampleData> SampleData::fromBytes(PcmFormat format,
                                                        std::span<const std::uint8_t> bytes) {
    auto copy = std::make_shared<const std::vector<std::uint8_t>>(bytes.begin(), bytes.end());
    return std::make_shared<const SampleData>(format, std::move(copy));
}

std::shared_ptr<const SampleData> SampleData::fromInt16(std::uint16_t channels, std::uint32_t rate,
                                                        std::span<const std::int16_t> samples) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (std::int16_t s : samples) {
        const auto u = static_cast<std::uint16_t>(s);
        bytes.push_back(static_cast<std::uint8_t>(u & 0xff));
        bytes.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    PcmFormat format{channels, rate, 16};
    return std::make_shared<const SampleData>(
        format, std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes)));
}

float SampleData::sampleAt(std::size_t frame, unsigned channel) const {
    if (frame >= frames_ || channel >= format_.channels)
        return 0.0f;
    const std::uint8_t* p =
        bytes() + frame * format_.bytesPerFrame() + channel * (format_.bitsPerSample / 8u);
    if (format_.bitsPerSample == 8)
        return (static_cast<float>(p[0]) - 128.0f) / 128.0f;
    return static_cast<float>(static_cast<std::int16_t>(p[0] | (p[1] << 8))) / 32768.0f;
}

} // namespace tamboro
