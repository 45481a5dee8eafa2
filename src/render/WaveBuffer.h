#pragma once
// `WaveBuffer`: the offline renderer's sample buffer. It reads a RIFF/WAVE file, writes itself as
// one (the 44-byte layout below), gives access to single samples and mixes another buffer into
// itself with resampling, balance and gain. A file-backed buffer keeps its sample data in a backing
// file and at most a window of kWindowFrames frames in memory, so a long song never has to fit in
// memory.
//
// Written layout (WavLayout::Standard of the shared WAV writer, common/WavWriter.h): "RIFF", D + 36,
// "WAVE", "fmt ", 16, the 16-byte format record, "data", D, then the D sample bytes; nothing else.

#include "render/RandomAccessFile.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tamboro {

class WaveBuffer {
public:
    static constexpr std::int32_t kWindowFrames = 1000000;
    static constexpr std::int32_t kNoWindow = -2000000;

    // The WAVE format record, read and written as one 16-byte block in this order. The values are
    // used as stored: byteRate and blockAlign are never recomputed from the others.
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 2;
    std::uint32_t sampleRate = 44100;
    std::uint32_t byteRate = 176400;
    std::uint16_t blockAlign = 4;
    std::uint16_t bitsPerSample = 16;
    // Frames held (the data size divided by blockAlign, rounded; writes in memory mode keep it).
    std::int32_t frameCount = 0;
    // Path of the backing file; set it before setFileBacked(true).
    std::filesystem::path backingFileName;

    WaveBuffer() = default;
    WaveBuffer(const WaveBuffer&) = delete;
    WaveBuffer& operator=(const WaveBuffer&) = delete;

    // Replaces format and data from a RIFF/WAVE file. A file that is not RIFF/WAVE leaves the
    // buffer unchanged; a file without a "data" chunk keeps the old data. The chunks are walked by
    // the shared walker (common/RiffChunks.h) up to the end the RIFF size declares, so a kit-written
    // file (whose RIFF size runs 2 bytes past its end) reads like any other; chunk sizes are taken
    // as they stand (no pad bytes). Throws Error when the file cannot be opened, when a chunk claims
    // more bytes than the file holds or a negative size, or when the format cannot hold frames
    // (blockAlign 0); the buffer is then unchanged.
    void loadFromFile(const std::filesystem::path& path);
    // The same from the bytes of a file; `label` names it in error messages.
    void loadFromBytes(std::span<const std::uint8_t> bytes, const std::string& label);
    // Writes the buffer in the layout above, atomically (the old file stays whole on failure). In
    // file-backed mode an unflushed window is not part of the output.
    void saveToFile(const std::filesystem::path& path);

    // One sample as a 16-bit value; 0 outside the data. A channel equal to channels addresses the
    // first sample of the next frame (mono sources rely on it).
    std::int16_t readSample(int channel, std::int64_t frame);
    // Stores one sample; ignored for a channel outside 0..channels or a negative byte offset.
    void writeSample(int channel, std::int64_t frame, std::int16_t value);
    // Adds `source` played at `rate` frames per second, scaled by `volume` and balanced by `pan`,
    // starting `start` seconds into this buffer; every result is clipped to -32767..32767.
    void mixWave(WaveBuffer& source, int rate, double volume, double pan, double start);
    // frameCount / sampleRate in seconds.
    double duration() const;

    bool fileBacked() const { return fileBacked_; }
    std::int32_t windowStart() const { return windowStart_; }
    // Switches storage mode. On: the data moves to backingFileName (created or truncated). Off:
    // the window is written back and the whole backing file becomes the data.
    void setFileBacked(bool on);
    // Window transfer: loadWindow fills the window from the backing file at windowStart;
    // flushWindow writes it back, recounts frameCount from the file size and closes the window.
    void loadWindow();
    void flushWindow();

    // The data bytes: all of them in memory mode, else the backing file's (after a flush).
    std::uint64_t dataSize() const;
    // A copy of the data bytes (tests and small buffers).
    std::vector<std::uint8_t> dataBytes();

private:
    std::int64_t byteOffset(int channel, std::int64_t frame) const;
    std::uint8_t silenceByte() const { return bitsPerSample == 8 ? 128 : 0; }
    int sampleWidth() const { return bitsPerSample == 8 ? 1 : 2; }
    bool inWindow(std::int64_t frame) const;
    // Makes sure the first `bytes` of the window (at most its logical size) are in memory.
    void loadWindowUpTo(std::int64_t bytes);
    std::int16_t decode(const std::uint8_t* p) const;
    void encode(std::int16_t value, std::uint8_t* p) const;
    // Reads `width` bytes at `offset` of the window / of the backing file; false when beyond the end.
    bool readWindow(std::int64_t offset, std::uint8_t* to);
    bool readBacking(std::int64_t offset, std::uint8_t* to);
    void markDirty(std::int64_t begin, std::int64_t end);

    bool fileBacked_ = false;
    std::int32_t windowStart_ = kNoWindow;
    // Memory mode: the whole data. File-backed mode: the window, of which only the first
    // window_.size() bytes have been brought into memory; the rest of its windowSize_ bytes are
    // still unchanged in the backing file.
    std::vector<std::uint8_t> window_;
    std::int64_t windowSize_ = 0;
    std::int64_t dirtyBegin_ = 0;
    std::int64_t dirtyEnd_ = 0;
    RandomAccessFile backing_;
};

} // namespace tamboro
