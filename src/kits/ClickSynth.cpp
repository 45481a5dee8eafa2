#include "kits/ClickSynth.h"

#include "kits/DrumSynthDsp.h"

#include <cmath>

namespace tamboro {

namespace {

using namespace drumsynth;

// A struck hollow block: two inharmonic resonances that die within a few tens of milliseconds and
// a band-passed noise tap for the strike. The accent rings lower and longer; the tick is higher,
// shorter and 8 dB quieter, so the bar's start stands out without looking at the screen.
Signal block(double lowHz, double highHz, double tau, double seconds, std::uint64_t seed) {
    const std::size_t n = samplesFor(seconds);
    Noise noise(seed);
    Biquad strikeTone = Biquad::bandpass(highHz * 1.5, 1.5);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double body = std::sin(2 * pi * lowHz * t) * decay(t, tau) +
                            0.45 * std::sin(2 * pi * highHz * t) * decay(t, tau * 0.6);
        const double strike = strikeTone.process(noise.next()) * decay(t, 0.0015);
        out[i] = std::tanh(1.5 * (body + 0.5 * strike));
    }
    return out;
}

} // namespace

std::vector<std::int16_t> synthesizeClick(ClickVoice voice) {
    if (voice == ClickVoice::Accent)
        return finish(block(880.0, 2310.0, 0.018, 0.09, 71), -1.0, 0.01);
    return finish(block(1320.0, 3470.0, 0.010, 0.06, 72), -9.0, 0.01);
}

Wave clickWave(ClickVoice voice) {
    const std::vector<std::int16_t> samples = synthesizeClick(voice);
    Wave::Bytes data;
    data.reserve(samples.size() * 2);
    for (const std::int16_t v : samples) {
        const auto u = static_cast<std::uint16_t>(v);
        data.push_back(static_cast<std::uint8_t>(u & 0xFF));
        data.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return Wave::pcm(1, 44100, 16, std::move(data));
}

} // namespace tamboro
