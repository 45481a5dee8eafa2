#pragma once
// A recorded take: a WAV file of any sample width (8 to 32-bit integer, float, double) and any
// number of channels, read from its bytes by libsndfile, mixed to mono and brought to the render
// rate (44100 Hz) by libsamplerate when it was recorded at another rate. The frames come out block
// by block, so nothing but the file's bytes is held whatever its length.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tamboro {

inline constexpr int kTakeRate = 44100;

struct TakeFormat {
    int sampleRate = 0;
    int channels = 0;
    std::int64_t frames = 0; // at the file's own rate
    bool resampled() const { return sampleRate != kTakeRate; }
    // The take's length in frames of the render rate.
    std::int64_t framesAtTakeRate() const;
};

class TakeReader {
public:
    // Opens the take. `bytes` must outlive the reader; `fileLabel` names the file in messages.
    // Throws Error when the bytes are not a WAV file libsndfile can decode or its format is out of
    // range (rate, channels).
    TakeReader(std::span<const std::uint8_t> bytes, std::string fileLabel);
    ~TakeReader();
    TakeReader(const TakeReader&) = delete;
    TakeReader& operator=(const TakeReader&) = delete;

    const TakeFormat& format() const { return format_; }
    // Fills `out` with the next mono frames at 44100 Hz; returns how many (0 at the end, fewer
    // than asked only at the end). Throws Error naming the file when decoding fails.
    std::size_t read(std::span<float> out);
    // Source samples (any channel) at or beyond full scale so far: a take that clips.
    std::int64_t clippedSamples() const { return clipped_; }

private:
    struct State;
    std::unique_ptr<State> state_;
    TakeFormat format_;
    std::int64_t clipped_ = 0;
};

} // namespace tamboro
