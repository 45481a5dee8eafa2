#include "kits/DrumSynthDsp.h"

#include "common/Rounding.h"

#include <algorithm>
#include <cmath>

namespace tamboro::drumsynth {

std::size_t samplesFor(double seconds) {
    return static_cast<std::size_t>(roundHalfEven(seconds * sampleRate));
}

double Noise::next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    const std::uint64_t out = state_ * 0x2545F4914F6CDD1Dull;
    return static_cast<double>(out >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

namespace {

// The polyBLEP residual that rounds off a unit step at phase 0 over one sample either side.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

} // namespace

double Square::next() {
    double value = phase_ < 0.5 ? 1.0 : -1.0;
    value += polyBlep(phase_, step_);
    value -= polyBlep(std::fmod(phase_ + 0.5, 1.0), step_);
    phase_ += step_;
    if (phase_ >= 1.0)
        phase_ -= 1.0;
    return value;
}

Biquad::Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
    : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}

Biquad Biquad::lowpass(double hz, double q) {
    const double w = 2 * pi * hz / sampleRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
    return Biquad((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::highpass(double hz, double q) {
    const double w = 2 * pi * hz / sampleRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
    return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::bandpass(double hz, double q) {
    const double w = 2 * pi * hz / sampleRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
    return Biquad(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

double Biquad::process(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void Biquad::run(Signal& signal) {
    for (double& s : signal)
        s = process(s);
}

double decay(double t, double tau) {
    return std::exp(-t / tau);
}

std::vector<std::int16_t> finish(Signal signal, double peakDbfs, double fadeSeconds) {
    const std::size_t n = signal.size();
    if (n == 0)
        return {};
    Biquad::highpass(20.0, 0.7071).run(signal);

    // A half-millisecond fade-in: the attack stays sharp, but the first sample starts at silence.
    const std::size_t fadeIn = std::min(n, samplesFor(0.0005));
    for (std::size_t i = 0; i < fadeIn; ++i)
        signal[i] *= 0.5 - 0.5 * std::cos(pi * static_cast<double>(i) / static_cast<double>(fadeIn));

    // The end fades out over a raised-cosine half period, long enough that a ringing tail dies
    // away instead of being cut.
    const std::size_t fade = std::min(n, std::max(samplesFor(fadeSeconds), n * 3 / 20));
    for (std::size_t i = 0; i < fade; ++i) {
        const double x = static_cast<double>(i + 1) / static_cast<double>(fade); // 1/fade .. 1
        signal[n - fade + i] *= 0.5 + 0.5 * std::cos(pi * x);
    }

    // Whatever mean is left goes out under a raised-cosine window, which keeps both ends at zero.
    double mean = 0, windowSum = 0;
    Signal window(n);
    for (std::size_t i = 0; i < n; ++i) {
        window[i] = 0.5 - 0.5 * std::cos(2 * pi * (static_cast<double>(i) + 0.5) / static_cast<double>(n));
        mean += signal[i];
        windowSum += window[i];
    }
    for (std::size_t i = 0; i < n; ++i)
        signal[i] -= mean * window[i] / windowSum;

    double peak = 0;
    for (double s : signal)
        peak = std::max(peak, std::fabs(s));
    const double gain = peak > 0 ? 32767.0 * std::pow(10.0, peakDbfs / 20.0) / peak : 0.0;
    std::vector<std::int16_t> out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::int16_t>(
            std::clamp<std::int64_t>(roundHalfEven(signal[i] * gain), -32768, 32767));
    return out;
}

} // namespace tamboro::drumsynth
