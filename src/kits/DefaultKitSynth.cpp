#include "kits/DefaultKitSynth.h"

#include "common/Error.h"
#include "kits/DrumSynthDsp.h"

#include <algorithm>
#include <cmath>

namespace tamboro {

using namespace drumsynth;

namespace {

// Every drum peaks at the same level, so the kit's balance is the synthesis's own. The level leaves
// the headroom a busy pattern needs: hits that fall together add up, and the demo song, mixed with
// this kit at its default volumes and pans, peaks near -1 dBFS without a clipped sample (at -1.5
// dBFS per drum it clipped 29,286 samples).
constexpr double peakDbfs = -9.8;

double timeOf(std::size_t i) {
    return static_cast<double>(i) / sampleRate;
}

// A sine whose pitch falls exponentially from `startHz` to `endHz` with time constant `sweepTau`,
// the heart of an analogue kick or tom.
Signal sweptSine(std::size_t n, double startHz, double endHz, double sweepTau) {
    Signal out(n);
    double phase = 0;
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = std::sin(2 * pi * phase);
        const double hz = endHz + (startHz - endHz) * decay(timeOf(i), sweepTau);
        phase += hz / sampleRate;
        phase -= std::floor(phase);
    }
    return out;
}

// Six detuned square waves: the metallic cluster behind hats and cymbals.
Signal metallicCluster(std::size_t n, const std::array<double, 6>& hz) {
    std::vector<Square> oscillators;
    for (std::size_t k = 0; k < hz.size(); ++k)
        oscillators.emplace_back(hz[k], 0.13 * static_cast<double>(k));
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i) {
        double sum = 0;
        for (auto& osc : oscillators)
            sum += osc.next();
        out[i] = sum / 6.0;
    }
    return out;
}

Signal noise(std::size_t n, std::uint64_t seed) {
    Noise source(seed);
    Signal out(n);
    for (double& s : out)
        s = source.next();
    return out;
}

// Attack ramp of `attack` seconds, then exponential decay.
double envelope(double t, double attack, double tau) {
    const double rise = attack > 0 && t < attack ? t / attack : 1.0;
    return rise * decay(std::max(0.0, t - attack), tau);
}

const std::array<double, 6> hatCluster = {263.0, 400.0, 421.0, 474.0, 587.0, 845.0};

Signal kick() {
    const std::size_t n = samplesFor(0.55);
    Signal body = sweptSine(n, 160.0, 48.0, 0.035);
    Signal click = noise(n, 11);
    Biquad clickTone = Biquad::bandpass(2500.0, 0.8);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const double b = body[i] * envelope(t, 0.002, 0.16);
        const double c = clickTone.process(click[i]) * decay(t, 0.0025) * 0.6;
        out[i] = std::tanh(1.4 * (b + c)); // gentle saturation for punch
    }
    Biquad::lowpass(4000.0, 0.7071).run(out);
    return out;
}

Signal snare() {
    const std::size_t n = samplesFor(0.38);
    Signal low = sweptSine(n, 200.0, 180.0, 0.02);
    Signal high = sweptSine(n, 345.0, 330.0, 0.02);
    Signal rattle = noise(n, 22);
    Biquad::highpass(1800.0, 0.7071).run(rattle);
    Biquad::lowpass(9000.0, 0.7071).run(rattle);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const double tones =
            0.55 * low[i] * envelope(t, 0.001, 0.055) + 0.35 * high[i] * envelope(t, 0.001, 0.035);
        out[i] = tones + 0.75 * rattle[i] * envelope(t, 0.001, 0.09);
    }
    return out;
}

Signal rimshot() {
    const std::size_t n = samplesFor(0.12);
    Signal low = sweptSine(n, 480.0, 455.0, 0.005);
    Signal high = sweptSine(n, 1700.0, 1667.0, 0.005);
    Signal tick = noise(n, 33);
    Biquad::highpass(3000.0, 0.7071).run(tick);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        out[i] = std::tanh(2.0 * (0.6 * low[i] * decay(t, 0.012) + 0.5 * high[i] * decay(t, 0.008)) +
                           0.3 * tick[i] * decay(t, 0.002));
    }
    Biquad::highpass(300.0, 0.7071).run(out);
    return out;
}

Signal clap() {
    const std::size_t n = samplesFor(0.42);
    Signal source = noise(n, 44);
    Biquad::bandpass(1200.0, 1.2).run(source);
    Biquad::highpass(600.0, 0.7071).run(source);
    Signal out(n);
    constexpr double burstGap = 0.011;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        // Three quick hand bursts, then the room's tail.
        double level = 0;
        for (int b = 0; b < 3; ++b) {
            const double start = b * burstGap;
            if (t >= start)
                level = std::max(level, decay(t - start, 0.004));
        }
        const double tailStart = 3 * burstGap;
        if (t >= tailStart)
            level = std::max(level, 0.7 * envelope(t - tailStart, 0.002, 0.11));
        out[i] = source[i] * level;
    }
    return out;
}

// A hat: the cluster through a band-pass and two high-passes, with a little noise for air.
Signal hat(double seconds, double attack, double tau, double highpassHz, std::uint64_t seed) {
    const std::size_t n = samplesFor(seconds);
    Signal metal = metallicCluster(n, hatCluster);
    Signal air = noise(n, seed);
    Biquad band = Biquad::bandpass(10000.0, 0.9);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = band.process(metal[i] + 0.25 * air[i]) * envelope(timeOf(i), attack, tau);
    Biquad::highpass(highpassHz, 0.7071).run(out);
    Biquad::highpass(highpassHz, 0.7071).run(out);
    return out;
}

// A cymbal: two detuned clusters and noise, high-passed, with a long decay and a brighter start.
Signal cymbal(double seconds, double tau, double highpassHz, double bandHz, double noiseLevel,
              std::uint64_t seed) {
    const std::size_t n = samplesFor(seconds);
    Signal a = metallicCluster(n, hatCluster);
    Signal b = metallicCluster(n, {297.0, 371.0, 446.0, 533.0, 619.0, 1011.0});
    Signal air = noise(n, seed);
    Biquad band = Biquad::bandpass(bandHz, 0.6);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const double shimmer = band.process(a[i] + b[i] + noiseLevel * air[i]);
        out[i] = shimmer * (0.8 * envelope(t, 0.001, tau) + 0.4 * decay(t, 0.05));
    }
    Biquad::highpass(highpassHz, 0.7071).run(out);
    Biquad::highpass(highpassHz, 0.7071).run(out);
    return out;
}

Signal rideBell() {
    const std::size_t n = samplesFor(1.5);
    // Inharmonic partials of a struck bell, each with its own decay.
    const double partials[][3] = {
        {820.0, 1.0, 0.9}, {1780.0, 0.6, 0.6}, {2390.0, 0.45, 0.5}, {3350.0, 0.3, 0.35}, {4920.0, 0.2, 0.25}};
    Signal shimmer = cymbal(1.5, 0.6, 4000.0, 8000.0, 0.3, 55);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        double sum = 0;
        for (const auto& p : partials)
            sum += p[1] * std::sin(2 * pi * p[0] * t) * envelope(t, 0.0005, p[2]);
        out[i] = 0.5 * sum + 0.6 * shimmer[i];
    }
    return out;
}

Signal tom(double seconds, double startHz, double endHz, double tau, std::uint64_t seed) {
    const std::size_t n = samplesFor(seconds);
    Signal body = sweptSine(n, startHz, endHz, 0.06);
    Signal skin = noise(n, seed);
    Biquad::bandpass(endHz * 2.5, 1.0).run(skin);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        out[i] = std::tanh(1.2 * body[i] * envelope(t, 0.002, tau)) + 0.25 * skin[i] * decay(t, 0.03);
    }
    return out;
}

Signal cowbell() {
    const std::size_t n = samplesFor(0.38);
    Square a(540.0), b(800.0);
    Biquad band = Biquad::bandpass(2640.0, 1.8);
    Biquad body = Biquad::bandpass(800.0, 2.0);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const double x = a.next() + b.next();
        // A sharp strike that settles into a slower ring.
        const double env = 0.6 * decay(t, 0.012) + 0.4 * envelope(t, 0.0005, 0.12);
        out[i] = (band.process(x) + 0.8 * body.process(x)) * env;
    }
    return out;
}

Signal tambourine() {
    const std::size_t n = samplesFor(0.45);
    Signal jingles = metallicCluster(n, {2230.0, 3170.0, 4120.0, 5390.0, 6250.0, 7580.0});
    Signal air = noise(n, 66);
    Biquad band = Biquad::bandpass(9000.0, 0.8);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = timeOf(i);
        // The jingles strike in a quick cluster of hits before ringing out.
        const double hits = std::max({decay(t, 0.01), t > 0.008 ? 0.7 * decay(t - 0.008, 0.01) : 0.0,
                                      t > 0.019 ? 0.5 * decay(t - 0.019, 0.012) : 0.0});
        out[i] = band.process(0.6 * jingles[i] + air[i]) * (0.6 * hits + 0.5 * envelope(t, 0.001, 0.12));
    }
    Biquad::highpass(5500.0, 0.7071).run(out);
    Biquad::highpass(5500.0, 0.7071).run(out);
    return out;
}

Signal shaker() {
    const std::size_t n = samplesFor(0.22);
    Signal grains = noise(n, 77);
    Biquad::bandpass(7500.0, 1.4).run(grains);
    Biquad::highpass(5000.0, 0.7071).run(grains);
    Signal out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = grains[i] * envelope(timeOf(i), 0.018, 0.045);
    return out;
}

Signal drumSignal(int index) {
    switch (index) {
    case 0:
        return kick();
    case 1:
        return snare();
    case 2:
        return rimshot();
    case 3:
        return clap();
    case 4:
        return hat(0.16, 0.0005, 0.035, 7000.0, 101);
    case 5:
        return hat(0.80, 0.0005, 0.28, 6500.0, 102);
    case 6:
        return hat(0.22, 0.003, 0.05, 6000.0, 103);
    case 7:
        return tom(0.65, 150.0, 95.0, 0.22, 88);
    case 8:
        return tom(0.55, 205.0, 135.0, 0.19, 89);
    case 9:
        return tom(0.48, 270.0, 185.0, 0.16, 90);
    case 10:
        return cymbal(2.2, 0.75, 4500.0, 9000.0, 1.0, 111);
    case 11:
        return cymbal(2.0, 0.6, 3500.0, 7000.0, 0.4, 112);
    case 12:
        return rideBell();
    case 13:
        return cowbell();
    case 14:
        return tambourine();
    case 15:
        return shaker();
    default:
        throw Error("No default drum " + std::to_string(index));
    }
}

} // namespace

std::string kitInstrumentName(std::string_view displayName) {
    std::string name(displayName.substr(0, 10));
    name.resize(10, ' ');
    return name + "[ ]";
}

Wave blankWave() {
    return Wave::pcm(1, 44100, 16, Wave::Bytes(441 * 2, 0));
}

std::vector<std::int16_t> synthesizeDrum(int index) {
    return finish(drumSignal(index), peakDbfs);
}

DrumKit makeDefaultKit() {
    DrumKit kit;
    kit.add().setWave(blankWave());
    for (std::size_t i = 0; i < defaultKitDisplayNames.size(); ++i) {
        const auto samples = synthesizeDrum(static_cast<int>(i));
        Wave::Bytes data;
        data.reserve(samples.size() * 2);
        for (std::int16_t s : samples) {
            const auto u = static_cast<std::uint16_t>(s);
            data.push_back(static_cast<std::uint8_t>(u));
            data.push_back(static_cast<std::uint8_t>(u >> 8));
        }
        auto& item = kit.add();
        item.setName(kitInstrumentName(defaultKitDisplayNames[i]));
        item.setWave(Wave::pcm(1, 44100, 16, std::move(data)));
    }
    return kit;
}

} // namespace tamboro
