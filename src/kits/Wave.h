#pragma once
// A wave sound as the kits and the live player keep it: the raw wave format record of the source
// file (F bytes, any F, usually 16 or 18; never interpreted on reading) and the sample data bytes.
// It is the form of every sound inside a kit and of the sample files the player loads. Its bytes
// are walked by the shared chunk walker (common/RiffChunks.h) and written by the shared WAV writer
// (common/WavWriter.h) in the kit layout; the offline renderer reads the same files into its own
// buffer (render/WaveBuffer.h), by rules of its own on the same walker.
//
// The sample data is immutable and shared between copies, so a Wave is cheap to copy and the
// audio thread can hold the same memory as the kit without copying it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace tamboro {

class Wave {
public:
    using Bytes = std::vector<std::uint8_t>;

    Wave();
    Wave(Bytes formatRecord, Bytes sampleData);

    // A PCM wave (format tag 1, 16-byte format record) with the given layout and sample bytes.
    static Wave pcm(std::uint16_t channels, std::uint32_t sampleRate, std::uint16_t bitsPerSample,
                    Bytes sampleData);

    // Reads a RIFF WAVE image. No bytes give an empty wave. Fails with "Wave is invalid" when the
    // bytes do not start with a RIFF WAVE header, and with "Stream read error" when the format
    // record or the sample data is shorter than declared. Any format record is accepted.
    static Wave fromBytes(std::span<const std::uint8_t> bytes);
    // Reads a WAV file (same rules as fromBytes, at most `maxBytes`); fails with the file system's
    // message if it cannot be opened, and with fromBytes's message after the file's path if its
    // bytes are no wave.
    static Wave readFile(const std::filesystem::path& path,
                         std::uintmax_t maxBytes = std::uintmax_t{1} << 31);

    // The RIFF WAVE image in the kit layout (WavLayout::KitBlock): F + D + 29 bytes ("fmt " and
    // "data" chunks, no pad byte, a trailing zero byte, RIFF size field F + D + 31); no bytes for
    // an empty wave.
    Bytes toBytes() const;
    // Writes toBytes() to a file, atomically.
    void writeFile(const std::filesystem::path& path) const;

    // True when the wave has no format record or no sample data (it is then stored as no bytes).
    bool empty() const { return format_.empty() || data_->empty(); }

    const Bytes& format() const { return format_; }
    const Bytes& data() const { return *data_; }
    std::span<const std::uint8_t> samples() const { return *data_; }
    // The sample memory itself, for holders that must keep it alive (voices on the audio thread).
    std::shared_ptr<const Bytes> sharedData() const { return data_; }

    // Fields of the format record; 0 when the record is too short to hold the field.
    std::uint16_t formatTag() const;
    std::uint16_t channels() const;
    std::uint32_t sampleRate() const;
    std::uint32_t avgBytesPerSec() const;
    std::uint16_t blockAlign() const;
    std::uint16_t bitsPerSample() const;
    // Data bytes div block align; 0 when there is no data or the block align is 0.
    std::size_t frames() const;

    // True for the layouts the program plays and renders: PCM, 1 or 2 channels, 8 or 16 bits,
    // a non-zero rate and a block align matching channels and bits.
    bool isPlayablePcm() const;

    friend bool operator==(const Wave& a, const Wave& b) {
        return a.format_ == b.format_ && *a.data_ == *b.data_;
    }

private:
    Bytes format_;
    std::shared_ptr<const Bytes> data_;
};

} // namespace tamboro
