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
    static constexpr std::int32_t kWindowFrames = 1000000;
    static constexpr std::int32_t kNoWindow = -2000000;

    std::uint16_t formatTag = 1;
    std::uint16_t channels = 2;
    std::uint32_t sampleRate = 44100;
    std::uint32_t byteRate = 176400;
    std::uint16_t blockAlign = 4;
    std::uint16_t bitsPerSample = 16;
    std::int32_t frameCount = 0;
    std::vector<std::uint8_t> memoryBlock;
    bool fileBacked = false;
    std::filesystem::path backingFileName;
    std::fstream backingFile;
    std::int32_t windowStart = kNoWindow;

    double duration() const { return static_cast<double>(frameCount) / sampleRate; }

    void loadFromFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
        std::size_t pos = 0;
        auto read = [&](std::size_t n) {
            std::vector<std::uint8_t> out(n, 0);
            for (std::size_t i = 0; i < n; ++i, ++pos)
                if (pos < file.size())
                    out[i] = file[pos];
            return out;
        };
        auto u32 = [](const std::vector<std::uint8_t>& b, std::size_t o) {
            return static_cast<std::uint32_t>(b[o] | (b[o + 1] << 8) | (b[o + 2] << 16) |
                                              (static_cast<std::uint32_t>(b[o + 3]) << 24));
        };
        auto u16 = [](const std::vector<std::uint8_t>& b, std::size_t o) {
            return static_cast<std::uint16_t>(b[o] | (b[o + 1] << 8));
        };
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
                formatTag = u16(f, 0);
                channels = u16(f, 2);
                sampleRate = u32(f, 4);
                byteRate = u32(f, 8);
                blockAlign = u16(f, 12);
                bitsPerSample = u16(f, 14);
                pos += static_cast<std::size_t>(s - 16);
            } else if (name == "data") {
                const auto d = read(static_cast<std::size_t>(s));
                if (!fileBacked) {
                    memoryBlock = d;
                } else {
                    memoryBlock.clear();
                    windowStart = kNoWindow;
                    backingFile.close();
                    {
                        std::ofstream(backingFileName, std::ios::binary | std::ios::trunc)
                            .write(reinterpret_cast<const char*>(d.data()),
                                   static_cast<std::streamsize>(d.size()));
                    }
                    backingFile.open(backingFileName, std::ios::in | std::ios::out | std::ios::binary);
                    backingSize_ = static_cast<std::int64_t>(d.size());
                }
                frameCount =
                    static_cast<std::int32_t>(tamboro::roundHalfEven(static_cast<double>(s) / blockAlign));
            } else {
                pos += static_cast<std::size_t>(s);
            }
        }
    }

    void saveToFile(const std::filesystem::path& path) {
        std::vector<std::uint8_t> data;
        if (fileBacked) {
            data.resize(static_cast<std::size_t>(fileSize()));
            backingFile.seekg(0);
            backingFile.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
        } else {
            data = memoryBlock;
        }
        std::vector<std::uint8_t> out;
        auto text = [&](const char* s) { out.insert(out.end(), s, s + 4); };
        auto w32 = [&](std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        };
        auto w16 = [&](std::uint16_t v) {
            for (int i = 0; i < 2; ++i)
                out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        };
        text("RIFF");
        w32(static_cast<std::uint32_t>(data.size() + 36));
        text("WAVE");
        text("fmt ");
        w32(16);
        w16(formatTag);
        w16(channels);
        w32(sampleRate);
        w32(byteRate);
        w16(blockAlign);
        w16(bitsPerSample);
        text("data");
        w32(static_cast<std::uint32_t>(data.size()));
        out.insert(out.end(), data.begin(), data.end());
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    }

    std::int64_t offsetOf(int c, std::int64_t f) const {
        return tamboro::roundHalfEven(static_cast<double>(blockAlign) * static_cast<double>(f) +
                                      bitsPerSample * c / 8.0);
    }

    std::int16_t readSample(int c, std::int64_t f) {
        if (c > channels || f < 0 || f >= frameCount)
            return 0;
        const std::int64_t b = offsetOf(c, f);
        const int width = bitsPerSample == 8 ? 1 : 2;
        std::uint8_t bytes[2] = {0, 0};
        if (fileBacked && backingFile.is_open()) {
            if (windowStart <= f && f < std::int64_t{windowStart} + kWindowFrames) {
                const std::int64_t o = b - std::int64_t{windowStart} * blockAlign;
                if (o < 0 || o + width > static_cast<std::int64_t>(memoryBlock.size()))
                    return 0;
                std::memcpy(bytes, memoryBlock.data() + o, static_cast<std::size_t>(width));
            } else {
                if (b + width > fileSize())
                    return 0;
                backingFile.seekg(b);
                backingFile.read(reinterpret_cast<char*>(bytes), width);
            }
        } else {
            if (b < 0 || b + width > static_cast<std::int64_t>(memoryBlock.size()))
                return 0;
            std::memcpy(bytes, memoryBlock.data() + b, static_cast<std::size_t>(width));
        }
        if (bitsPerSample == 8)
            return static_cast<std::int16_t>((bytes[0] - 128) * 255);
        return static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
    }

    void writeSample(int c, std::int64_t f, std::int16_t v) {
        if (c < 0 || c > channels)
            return;
        const std::int64_t b = offsetOf(c, f);
        if (b < 0)
            return;
        const int width = bitsPerSample == 8 ? 1 : 2;
        std::uint8_t bytes[2];
        if (bitsPerSample == 8) {
            bytes[0] = static_cast<std::uint8_t>(std::clamp(std::nearbyint(v / 255.0) + 128, 0.0, 255.0));
        } else {
            bytes[0] = static_cast<std::uint8_t>(v & 0xFF);
            bytes[1] = static_cast<std::uint8_t>((static_cast<std::uint16_t>(v) >> 8) & 0xFF);
        }
        const std::uint8_t silence = bitsPerSample == 8 ? 128 : 0;
        if (!fileBacked) {
            if (b + width > static_cast<std::int64_t>(memoryBlock.size()))
                memoryBlock.resize(static_cast<std::size_t>(b + width), silence);
            std::memcpy(memoryBlock.data() + b, bytes, static_cast<std::size_t>(width));
            return;
        }
        bool toData;
        std::int64_t target, dataEnd;
        if (windowStart <= f && f < std::int64_t{windowStart} + kWindowFrames) {
            toData = true;
            target = b - std::int64_t{windowStart} * blockAlign;
            dataEnd = (std::int64_t{frameCount} - windowStart) * blockAlign;
        } else {
            flushWindow();
            toData = false;
            target = b;
            dataEnd = std::int64_t{frameCount} * blockAlign;
        }
        if (target > dataEnd) {
            for (;;) {
                const std::int64_t end = toData ? static_cast<std::int64_t>(memoryBlock.size()) : fileSize();
                if (end >= target)
                    break;
                const std::int64_t n = std::min<std::int64_t>(100, target - end);
                if (toData) {
                    memoryBlock.insert(memoryBlock.end(), static_cast<std::size_t>(n), silence);
                } else {
                    std::vector<char> block(static_cast<std::size_t>(n), static_cast<char>(silence));
                    backingFile.seekp(end);
                    backingFile.write(block.data(), n);
                    wrote(end, n);
                }
            }
            frameCount = static_cast<std::int32_t>(f + 1);
        }
        if (windowStart == kNoWindow) {
            windowStart = static_cast<std::int32_t>(f);
            loadWindow();
            target = b - f * blockAlign;
            toData = true;
        }
        if (target + width > static_cast<std::int64_t>(memoryBlock.size()))
            memoryBlock.resize(static_cast<std::size_t>(target + width), silence);
        std::memcpy(memoryBlock.data() + target, bytes, static_cast<std::size_t>(width));
    }

    void loadWindow() {
        memoryBlock.clear();
        const std::int64_t start = std::int64_t{windowStart} * blockAlign;
        const std::int64_t n =
            std::min<std::int64_t>(fileSize() - start, std::int64_t{kWindowFrames} * blockAlign);
        if (n <= 0)
            return;
        memoryBlock.resize(static_cast<std::size_t>(n));
        backingFile.seekg(start);
        backingFile.read(reinterpret_cast<char*>(memoryBlock.data()), n);
    }

    void flushWindow() {
        if (!fileBacked)
            return;
        if (!memoryBlock.empty()) {
            const std::int64_t n = std::min<std::int64_t>(static_cast<std::int64_t>(memoryBlock.size()),
                                                          std::int64_t{kWindowFrames} * blockAlign);
            backingFile.seekp(std::int64_t{windowStart} * blockAlign);
            backingFile.write(reinterpret_cast<const char*>(memoryBlock.data()), n);
            wrote(std::int64_t{windowStart} * blockAlign, n);
        }
        frameCount =
            static_cast<std::int32_t>(tamboro::roundHalfEven(static_cast<double>(fileSize()) / blockAlign));
        memoryBlock.clear();
        windowStart = kNoWindow;
    }

    void setFileBacked(bool on) {
        if (on && !fileBacked) {
            {
                std::ofstream(backingFileName, std::ios::binary | std::ios::trunc)
                    .write(reinterpret_cast<const char*>(memoryBlock.data()),
                           static_cast<std::streamsize>(memoryBlock.size()));
            }
            backingFile.open(backingFileName, std::ios::in | std::ios::out | std::ios::binary);
            backingSize_ = static_cast<std::int64_t>(memoryBlock.size());
            memoryBlock.clear();
            windowStart = kNoWindow;
        } else if (!on && fileBacked) {
            flushWindow();
            const std::int64_t n = fileSize();
            memoryBlock.resize(static_cast<std::size_t>(n));
            backingFile.seekg(0);
            backingFile.read(reinterpret_cast<char*>(memoryBlock.data()), n);
            backingFile.close();
        }
        fileBacked = on;
    }

    void mixWave(LiteralWaveBuffer& source, int rate, double volume, double pan, double start) {
        const std::int64_t s0 = tamboro::roundHalfEven(byteRate * start / blockAlign);
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
        if (source.frameCount > 0) {
            const std::int64_t n =
                tamboro::roundHalfEven(sampleRate * (source.duration() * source.sampleRate / rate));
            const double q = static_cast<double>(n) / source.frameCount;
            for (std::int64_t i = 0; i < n; ++i) {
                const double x = i / q;
                const std::int64_t i0 = tamboro::truncTowardZero(x);
                const std::int64_t i1 = std::min<std::int64_t>(i0 + 1, source.frameCount - 1);
                const double w0 = 1 - (x - i0);
                const double w1 = 1 - w0;
                for (int c = 0; c < channels; ++c) {
                    const double a = source.readSample(c, i0);
                    const double b = source.readSample(c, i1);
                    const double d = readSample(c, s0 + i);
                    double y = tamboro::roundHalfEven((a * w0 + b * w1) * volume * gain[c]) + d;
                    y = std::clamp(y, -32767.0, 32767.0);
                    writeSample(c, s0 + i, static_cast<std::int16_t>(y));
                }
            }
        }
        if (fileBacked)
            flushWindow();
    }

private:
    // The backing file's size, kept up to date by every write (asking the stream each time would
    // make the oracle far slower without making it any more literal).
    std::int64_t fileSize() { return backingSize_; }
    void wrote(std::int64_t at, std::int64_t n) { backingSize_ = std::max(backingSize_, at + n); }
    std::int64_t backingSize_ = 0;
};

} // namespace oracle
