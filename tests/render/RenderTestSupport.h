#pragma once
// Shared helpers of the render tests: the temporary folder per test and small WAV files.

#include "common/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tamboro::rendertest {

// A temporary folder per test, shared with the other engine tests.
using test::TempDir;

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline void putText(std::vector<std::uint8_t>& out, const char* s) {
    out.insert(out.end(), s, s + 4);
}

// The 16 format bytes of a PCM wave.
inline std::vector<std::uint8_t> pcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    std::vector<std::uint8_t> f;
    const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
    put16(f, 1);
    put16(f, channels);
    put32(f, rate);
    put32(f, rate * align);
    put16(f, align);
    put16(f, bits);
    return f;
}

// A canonical WAV file image: RIFF header, "fmt " with `format`, "data" with `data`.
inline std::vector<std::uint8_t> wavImage(const std::vector<std::uint8_t>& format,
                                          const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> out;
    putText(out, "RIFF");
    put32(out, static_cast<std::uint32_t>(4 + 8 + format.size() + 8 + data.size()));
    putText(out, "WAVE");
    putText(out, "fmt ");
    put32(out, static_cast<std::uint32_t>(format.size()));
    out.insert(out.end(), format.begin(), format.end());
    putText(out, "data");
    put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// Sample bytes of a deterministic test signal: a loud decaying saw with some noise.
inline std::vector<std::uint8_t> testSignal(std::uint16_t channels, std::uint16_t bits, int frames,
                                            unsigned seed) {
    std::vector<std::uint8_t> data;
    unsigned state = seed * 2654435761u + 1;
    for (int f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            state = state * 1664525u + 1013904223u;
            const double envelope = 1.0 - static_cast<double>(f) / frames;
            const int saw = ((f * (7 + c) + static_cast<int>(seed)) % 200) * 327 - 32700;
            const int noise = static_cast<int>(state >> 20) - 2048;
            int v = static_cast<int>(saw * envelope) + noise;
            v = v > 32767 ? 32767 : (v < -32768 ? -32768 : v);
            if (bits == 8)
                data.push_back(static_cast<std::uint8_t>((v >> 8) + 128));
            else
                put16(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
        }
    }
    return data;
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    writeFileAtomically(path, bytes);
}

} // namespace tamboro::rendertest
