#pragma once
// Immutable PCM sample memory as a sound buffer holds it: the layout of the wave and its data
// bytes, shared (never copied) between a buffer, its duplicated voices and the kit it came from.
// The mixer reads the bytes directly, so creating a buffer costs no conversion pass.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace tamboro {

struct PcmFormat {
    std::uint16_t channels = 2;
    std::uint32_t sampleRate = 44100;
    std::uint16_t bitsPerSample = 16;

    std::uint32_t bytesPerFrame() const { return channels * (bitsPerSample / 8u); }
    friend bool operator==(const PcmFormat&, const PcmFormat&) = default;
};

class Wave;

class SampleData {
public:
    // Takes shared ownership of `bytes`. Throws Error("Sound Buffer cannot be made") unless the
    // layout is 1 or 2 channels of 8-bit (unsigned) or 16-bit (signed) samples at a non-zero rate.
    // A trailing partial frame is ignored.
    SampleData(PcmFormat format, std::shared_ptr<const std::vector<std::uint8_t>> bytes);

    // The wave's layout and sample memory (shared with the wave). Same failure as above.
    static std::shared_ptr<const SampleData> fromWave(const Wave& wave);
    // Copies the bytes; convenient for tests and generated sounds.
    static std::shared_ptr<const SampleData> fromBytes(PcmFormat format, std::span<const std::uint8_t> bytes);
    // 16-bit samples (interleaved when stereo), for tests and generated sounds.
    static std::shared_ptr<const SampleData> fromInt16(std::uint16_t channels, std::uint32_t rate,
                                                       std::span<const std::int16_t> samples);

    const PcmFormat& format() const { return format_; }
    std::size_t frames() const { return frames_; }
    const std::uint8_t* bytes() const { return bytes_->data(); }

    // Sample `frame` of `channel` as a float in [-1, 1); for tests and tools, not the mix loop.
    float sampleAt(std::size_t frame, unsigned channel) const;

private:
    PcmFormat format_;
    std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
    std::size_t frames_ = 0;
};

} // namespace tamboro
