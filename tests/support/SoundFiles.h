#pragma once
// Sound files the tests make themselves: a signal written by libsndfile in any format it writes
// (24-bit and float WAV, AIFF, FLAC, Ogg Vorbis), then read back as the file's bytes.

#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace tamboro::test {

// signal(frame, channel) in -1..1.
using Signal = std::function<double(std::int64_t frame, int channel)>;

inline Signal sine(double hz, double rate, double amplitude = 0.5) {
    return [=](std::int64_t frame, int channel) {
        return amplitude * std::sin(2 * std::numbers::pi * hz * static_cast<double>(frame) / rate + channel);
    };
}

// Writes `frames` frames of `signal` to `path` in libsndfile's `format` (e.g. SF_FORMAT_FLAC |
// SF_FORMAT_PCM_24).
inline void writeSoundFile(const std::filesystem::path& path, int format, int channels, int rate,
                           std::int64_t frames, const Signal& signal) {
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = rate;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error(std::string("cannot write test sound: ") + sf_strerror(nullptr));
    std::vector<double> buffer(static_cast<std::size_t>(frames * channels));
    for (std::int64_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            buffer[static_cast<std::size_t>(f * channels + c)] = signal(f, c);
    sf_writef_double(file, buffer.data(), frames);
    sf_close(file);
}

inline std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The 16-bit little-endian samples of a wave's data, as doubles in -1..1.
inline std::vector<double> pcm16Samples(const std::vector<std::uint8_t>& data) {
    std::vector<double> out(data.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::int16_t>(data[2 * i] | (data[2 * i + 1] << 8)) / 32768.0;
    return out;
}

} // namespace tamboro::test
