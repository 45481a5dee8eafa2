#pragma once
// Small deterministic building blocks of the default kit's drum synthesiser: a seeded noise source,
// band-limited square oscillators, second-order filters and the finishing steps that turn a
// synthesised sound into clean 16-bit samples. All arithmetic is plain double precision, so the
// same build always gives the same bytes.

#include <cstdint>
#include <vector>

namespace tamboro::drumsynth {

inline constexpr double sampleRate = 44100.0;
inline constexpr double pi = 3.14159265358979323846;

using Signal = std::vector<double>;

// Number of samples in `seconds`.
std::size_t samplesFor(double seconds);

// White noise in [-1, 1) from a fixed seed (xorshift64*).
class Noise {
public:
    explicit Noise(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    double next();

private:
    std::uint64_t state_;
};

// A square wave with polyBLEP-smoothed edges, so the metallic clusters do not alias into the
// audible band below them.
class Square {
public:
    explicit Square(double hz, double phase = 0.0) : phase_(phase), step_(hz / sampleRate) {}
    double next();

private:
    double phase_;
    double step_;
};

// A second-order filter (direct form I) with the usual analogue-prototype responses.
class Biquad {
public:
    static Biquad lowpass(double hz, double q);
    static Biquad highpass(double hz, double q);
    // Band-pass with 0 dB gain at the centre.
    static Biquad bandpass(double hz, double q);
    double process(double x);
    void run(Signal& signal);

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// e^(-t / tau), the decay of an analogue envelope.
double decay(double t, double tau);

// Finishing: a 20 Hz high-pass against DC, a 0.5 ms fade-in, a fade of the last 15 % (at least `fadeSeconds`)
// to zero so the sound ends in silence without a click, any mean left taken out under a window that is zero
// at both ends, the peak scaled to `peakDbfs`, and rounding to 16-bit samples.
std::vector<std::int16_t> finish(Signal signal, double peakDbfs, double fadeSeconds = 0.010);

} // namespace tamboro::drumsynth
