#pragma once
// Takes we make ourselves for the timing-feedback tests and benchmark: real-sounding notes
// (Karplus-Strong plucked strings, muted strums of several strings, hand claps of band-passed noise
// bursts) starting at known frames, over a noise floor, written as WAV bytes.

#include <cstddef>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace tamboro {

enum class SyntheticNote { Pluck, MutedStrum, Clap };

class SyntheticTake {
public:
    // `seconds` of noise at `noiseRms` (0.01 is -40 dBFS) at `rate` Hz.
    SyntheticTake(int rate, double seconds, double noiseRms, std::uint32_t seed);
    // Adds a note whose first sample is at `seconds`, peaking near `level` (0..1).
    void addNote(SyntheticNote kind, double seconds, double level);
    const std::vector<float>& samples() const { return samples_; }
    int rate() const { return rate_; }

private:
    void pluck(std::size_t start, double frequency, double level, double decaySeconds, double brightness);
    int rate_;
    std::vector<float> samples_;
    std::mt19937 random_;
};

// Mono 16-bit PCM WAV bytes of `samples` (clipped to full scale).
std::vector<std::uint8_t> monoWav16(std::span<const float> samples, int rate);

} // namespace tamboro
