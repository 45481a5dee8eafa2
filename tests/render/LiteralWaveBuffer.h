#pragma once
// The test oracle for the WAV buffer: a straightforward, deliberately literal implementation of
// the buffer's rules. Every sample access is a positioned read or write of one or two bytes on the
// memory block or the backing file, the window is loaded and written back whole, and silence is
// appended in blocks of at most 100 bytes. Slow, obviously right, and independent of the
// production code (it shares only the rounding helpers).
//
// Two choices the production buffer also makes are mirrored here: loading data into a file-backed
// buffer closes the window that belonged to the old data, and a fresh buffer is used per hit.

#include "common/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace oracle {

class LiteralWaveBuffer {
public:
    static constexpr std::int32_t WINDOW_FRAMES = 1000000;
    static constexpr std::int32_t NO_WINDOW = -2000000;

    std::uint16_t FormatTag = 1;
    std::uint16_t Channels = 2;
    std::uint32_t SampleRate = 44100;
    std::uint32_t ByteRate = 176400;
    std::uint16_t BlockAlign = 4;
    std::uint16_t BitsPerSample = 16;
    std::int32_t FrameCount = 0;
    std::vector<std::uint8_t> Data;
    bool FileBacked = false;
    std::filesystem::path BackingFileName;
    std::fstream BackingFile;
    std::int32_t WindowStart = NO_WINDOW;

    double Duration() const { return static_cast<double>(FrameCount) / SampleRate; }

    void LoadFromFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::size_t pos = 0;
        auto read = [&](std::size_t n) {
            std::vector<std::uint8_t> out(n, 0);
            for (std::size_t i = 0; i < n; ++i, ++pos)
                if (pos < file.size())
                    out[i] = file[pos];
            return out;
        };
        auto u32 = [](const std::vector<std::uint8_t>& b, std::size_t o) {
            return static_cast<std::uint32_t>(b[o] | (b[o + 1] << 8) | (b[o + 2] << 16) | (static_cast<std::uint32_t>(b[o + 3]) << 24));
        };
        auto u16 = [](const std::vector<std::uint8_t>& b, std::size_t o) { return static_cast<std::uint16_t>(b[o] | (b[o + 1] << 8)); };
        if (read(4) != std::vector<std::uint8_t>{'R', 'I', 'F', 'F'})
            return;
        const std::int64_t r = u32(read(4), 0);
        if (read(4) != std::vector<std::uint8_t>{'W', 'A', 'V', 'E'})
            return;
        std::int64_t p = 4;
        while (p < r) {
            const auto id = read(4);
            const std::int32_t s = static_cast<std::int32_t>(u32(read(4), 0));
            p += 8 + s;
            const std::string name(id.begin(), id.end());
            if (name == "fmt ") {
                const auto f = read(16);
                FormatTag = u16(f, 0);
                Channels = u16(f, 2);
                SampleRate = u32(f, 4);
                ByteRate = u32(f, 8);
                BlockAlign = u16(f, 12);
                BitsPerSample = u16(f, 14);
                pos += static_cast<std::size_t>(s - 16);
            } else if (name == "data") {
                const auto d = read(static_cast<std::size_t>(s));
                if (!FileBacked) {
                    Data = d;
                } else {
                    Data.clear();
                    WindowStart = NO_WINDOW;
                    BackingFile.close();
                    { std::ofstream(BackingFileName, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(d.data()), static_cast<std::streamsize>(d.size())); }
                    BackingFile.open(BackingFileName, std::ios::in | std::ios::out | std::ios::binary);
                    backingSize_ = static_cast<std::int64_t>(d.size());
                }
                FrameCount = static_cast<std::int32_t>(tamboro::roundHalfEven(static_cast<double>(s) / BlockAlign));
            } else {
                pos += static_cast<std::size_t>(s);
            }
        }
    }

    void SaveToFile(const std::filesystem::path& path) {
        std::vector<std::uint8_t> data;
        if (FileBacked) {
            data.resize(static_cast<std::size_t>(fileSize()));
            BackingFile.seekg(0);
            BackingFile.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
        } else {
            data = Data;
        }
        std::vector<std::uint8_t> out;
        auto text = [&](const char* s) { out.insert(out.end(), s, s + 4); };
        auto w32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i))); };
        auto w16 = [&](std::uint16_t v) { for (int i = 0; i < 2; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i))); };
        text("RIFF");
        w32(static_cast<std::uint32_t>(data.size() + 36));
        text("WAVE");
        text("fmt ");
        w32(16);
        w16(FormatTag);
        w16(Channels);
        w32(SampleRate);
        w32(ByteRate);
        w16(BlockAlign);
        w16(BitsPerSample);
        text("data");
        w32(static_cast<std::uint32_t>(data.size()));
        out.insert(out.end(), data.begin(), data.end());
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    }

    std::int64_t offsetOf(int c, std::int64_t f) const {
        return tamboro::roundHalfEven(static_cast<double>(BlockAlign) * static_cast<double>(f) + BitsPerSample * c / 8.0);
    }

    std::int16_t ReadSample(int c, std::int64_t f) {
        if (c > Channels || f < 0 || f >= FrameCount)
            return 0;
        const std::int64_t b = offsetOf(c, f);
        const int width = BitsPerSample == 8 ? 1 : 2;
        std::uint8_t bytes[2] = {0, 0};
        if (FileBacked && BackingFile.is_open()) {
            if (WindowStart <= f && f < std::int64_t{WindowStart} + WINDOW_FRAMES) {
                const std::int64_t o = b - std::int64_t{WindowStart} * BlockAlign;
                if (o < 0 || o + width > static_cast<std::int64_t>(Data.size()))
                    return 0;
                std::memcpy(bytes, Data.data() + o, static_cast<std::size_t>(width));
            } else {
                if (b + width > fileSize())
                    return 0;
                BackingFile.seekg(b);
                BackingFile.read(reinterpret_cast<char*>(bytes), width);
            }
        } else {
            if (b < 0 || b + width > static_cast<std::int64_t>(Data.size()))
                return 0;
            std::memcpy(bytes, Data.data() + b, static_cast<std::size_t>(width));
        }
        if (BitsPerSample == 8)
            return static_cast<std::int16_t>((bytes[0] - 128) * 255);
        return static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
    }

    void WriteSample(int c, std::int64_t f, std::int16_t v) {
        if (c < 0 || c > Channels)
            return;
        const std::int64_t b = offsetOf(c, f);
        if (b < 0)
            return;
        const int width = BitsPerSample == 8 ? 1 : 2;
        std::uint8_t bytes[2];
        if (BitsPerSample == 8) {
            bytes[0] = static_cast<std::uint8_t>(std::clamp(std::nearbyint(v / 255.0) + 128, 0.0, 255.0));
        } else {
            bytes[0] = static_cast<std::uint8_t>(v & 0xFF);
            bytes[1] = static_cast<std::uint8_t>((static_cast<std::uint16_t>(v) >> 8) & 0xFF);
        }
        const std::uint8_t silence = BitsPerSample == 8 ? 128 : 0;
        if (!FileBacked) {
            if (b + width > static_cast<std::int64_t>(Data.size()))
                Data.resize(static_cast<std::size_t>(b + width), silence);
            std::memcpy(Data.data() + b, bytes, static_cast<std::size_t>(width));
            return;
        }
        bool toData;
        std::int64_t target, dataEnd;
        if (WindowStart <= f && f < std::int64_t{WindowStart} + WINDOW_FRAMES) {
            toData = true;
            target = b - std::int64_t{WindowStart} * BlockAlign;
            dataEnd = (std::int64_t{FrameCount} - WindowStart) * BlockAlign;
        } else {
            FlushWindow();
            toData = false;
            target = b;
            dataEnd = std::int64_t{FrameCount} * BlockAlign;
        }
        if (target > dataEnd) {
            for (;;) {
                const std::int64_t end = toData ? static_cast<std::int64_t>(Data.size()) : fileSize();
                if (end >= target)
                    break;
                const std::int64_t n = std::min<std::int64_t>(100, target - end);
                if (toData) {
                    Data.insert(Data.end(), static_cast<std::size_t>(n), silence);
                } else {
                    std::vector<char> block(static_cast<std::size_t>(n), static_cast<char>(silence));
                    BackingFile.seekp(end);
                    BackingFile.write(block.data(), n);
                    wrote(end, n);
                }
            }
            FrameCount = static_cast<std::int32_t>(f + 1);
        }
        if (WindowStart == NO_WINDOW) {
            WindowStart = static_cast<std::int32_t>(f);
            LoadWindow();
            target = b - f * BlockAlign;
            toData = true;
        }
        if (target + width > static_cast<std::int64_t>(Data.size()))
            Data.resize(static_cast<std::size_t>(target + width), silence);
        std::memcpy(Data.data() + target, bytes, static_cast<std::size_t>(width));
    }

    void LoadWindow() {
        Data.clear();
        const std::int64_t start = std::int64_t{WindowStart} * BlockAlign;
        const std::int64_t n = std::min<std::int64_t>(fileSize() - start, std::int64_t{WINDOW_FRAMES} * BlockAlign);
        if (n <= 0)
            return;
        Data.resize(static_cast<std::size_t>(n));
        BackingFile.seekg(start);
        BackingFile.read(reinterpret_cast<char*>(Data.data()), n);
    }

    void FlushWindow() {
        if (!FileBacked)
            return;
        if (!Data.empty()) {
            const std::int64_t n = std::min<std::int64_t>(static_cast<std::int64_t>(Data.size()), std::int64_t{WINDOW_FRAMES} * BlockAlign);
            BackingFile.seekp(std::int64_t{WindowStart} * BlockAlign);
            BackingFile.write(reinterpret_cast<const char*>(Data.data()), n);
            wrote(std::int64_t{WindowStart} * BlockAlign, n);
        }
        FrameCount = static_cast<std::int32_t>(tamboro::roundHalfEven(static_cast<double>(fileSize()) / BlockAlign));
        Data.clear();
        WindowStart = NO_WINDOW;
    }

    void SetFileBacked(bool on) {
        if (on && !FileBacked) {
            { std::ofstream(BackingFileName, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(Data.data()), static_cast<std::streamsize>(Data.size())); }
            BackingFile.open(BackingFileName, std::ios::in | std::ios::out | std::ios::binary);
            backingSize_ = static_cast<std::int64_t>(Data.size());
            Data.clear();
            WindowStart = NO_WINDOW;
        } else if (!on && FileBacked) {
            FlushWindow();
            const std::int64_t n = fileSize();
            Data.resize(static_cast<std::size_t>(n));
            BackingFile.seekg(0);
            BackingFile.read(reinterpret_cast<char*>(Data.data()), n);
            BackingFile.close();
        }
        FileBacked = on;
    }

    void MixWave(LiteralWaveBuffer& source, int rate, double volume, double pan, double start) {
        const std::int64_t s0 = tamboro::roundHalfEven(ByteRate * start / BlockAlign);
        double gain[2] = {1, 1};
        if (pan > 1) {
            gain[0] = 0;
        } else if (pan > 0 && pan <= 1) {
            gain[0] = 1 - pan;
        } else if (pan >= -1 && pan < 0) {
            gain[1] = 1 - std::fabs(pan);
        } else if (pan < -1) {
            gain[1] = 0;
        }
        if (source.FrameCount > 0) {
            const std::int64_t n = tamboro::roundHalfEven(SampleRate * (source.Duration() * source.SampleRate / rate));
            const double q = static_cast<double>(n) / source.FrameCount;
            for (std::int64_t i = 0; i < n; ++i) {
                const double x = i / q;
                const std::int64_t i0 = tamboro::truncTowardZero(x);
                const std::int64_t i1 = std::min<std::int64_t>(i0 + 1, source.FrameCount - 1);
                const double w0 = 1 - (x - i0);
                const double w1 = 1 - w0;
                for (int c = 0; c < Channels; ++c) {
                    const double a = source.ReadSample(c, i0);
                    const double b = source.ReadSample(c, i1);
                    const double d = ReadSample(c, s0 + i);
                    double y = tamboro::roundHalfEven((a * w0 + b * w1) * volume * gain[c]) + d;
                    y = std::clamp(y, -32767.0, 32767.0);
                    WriteSample(c, s0 + i, static_cast<std::int16_t>(y));
                }
            }
        }
        if (FileBacked)
            FlushWindow();
    }

private:
    // The backing file's size, kept up to date by every write (asking the stream each time would
    // make the oracle far slower without making it any more literal).
    std::int64_t fileSize() { return backingSize_; }
    void wrote(std::int64_t at, std::int64_t n) { backingSize_ = std::max(backingSize_, at + n); }
    std::int64_t backingSize_ = 0;
};

} // namespace oracle
