#include "testsupport/SyntheticTake.h"

#include <algorithm>
#include <cmath>

namespace tamboro {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

SyntheticTake::SyntheticTake(int rate, double seconds, double noiseRms, std::uint32_t seed)
    : rate_(rate), samples_(static_cast<std::size_t>(seconds * rate)), random_(seed) {
    std::normal_distribution<float> noise(0.0f, static_cast<float>(noiseRms));
    for (float& s : samples_)
        s = noise(random_);
}

// A Karplus-Strong string: a delay line of one period filled with noise, averaged round and round
// (the string's losses), fading with `decaySeconds`. `brightness` 1 keeps the noise as it is,
// lower values smooth it first (a softer pick).
void SyntheticTake::pluck(std::size_t start, double frequency, double level, double decaySeconds,
                          double brightness) {
    const auto period = static_cast<std::size_t>(std::max(2.0, std::round(rate_ / frequency)));
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::vector<double> line(period);
    double smooth = 0;
    for (double& v : line) {
        smooth = brightness * uniform(random_) + (1 - brightness) * smooth;
        v = smooth;
    }
    double peak = 0;
    for (const double v : line)
        peak = std::max(peak, std::fabs(v));
    const double gain = level / std::max(peak, 1e-9);
    const double fade = std::exp(-1.0 / (decaySeconds * rate_));
    double envelope = 1;
    const std::size_t length = std::min(samples_.size() - std::min(start, samples_.size()),
                                        static_cast<std::size_t>(decaySeconds * 6 * rate_));
    for (std::size_t n = 0; n < length; ++n) {
        const std::size_t i = n % period;
        const double out = line[i];
        line[i] = 0.5 * (line[i] + line[(i + 1) % period]);
        samples_[start + n] += static_cast<float>(gain * envelope * out);
        envelope *= fade;
    }
}

void SyntheticTake::addNote(SyntheticNote kind, double seconds, double level) {
    const auto start = static_cast<std::size_t>(std::llround(seconds * rate_));
    if (start >= samples_.size())
        return;
    std::uniform_real_distribution<double> pick(0.0, 1.0);
    switch (kind) {
    case SyntheticNote::Pluck:
        pluck(start, 110.0 + 330.0 * pick(random_), level, 0.12, 0.9);
        break;
    case SyntheticNote::MutedStrum: {
        // Six strings, a quick downstroke (0.6 ms apart), damped by the palm.
        const double strings[] = {82.4, 110.0, 146.8, 196.0, 246.9, 329.6};
        for (std::size_t s = 0; s < 6; ++s)
            pluck(start + static_cast<std::size_t>(s * 0.0006 * rate_), strings[s], level / 2.5, 0.04, 0.7);
        break;
    }
    case SyntheticNote::Clap: {
        // Two noise bursts 7 ms apart, band-passed around 1.2 kHz, fast attack, short decay.
        const double centre = 1200.0, q = 1.5;
        const double w = 2 * kPi * centre / rate_, alpha = std::sin(w) / (2 * q);
        const double b0 = alpha, a0 = 1 + alpha, a1 = -2 * std::cos(w), a2 = 1 - alpha;
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        std::normal_distribution<double> noise(0.0, 1.0);
        const auto length = std::min(samples_.size() - start, static_cast<std::size_t>(0.15 * rate_));
        const std::size_t second = static_cast<std::size_t>(0.007 * rate_);
        std::vector<double> burst(length);
        double peak = 0;
        for (std::size_t n = 0; n < length; ++n) {
            const double t = static_cast<double>(n) / rate_;
            double env = std::exp(-t / 0.012) * std::min(1.0, t / 0.0003 + 0.05);
            if (n >= second) {
                const double t2 = static_cast<double>(n - second) / rate_;
                env += 1.2 * std::exp(-t2 / 0.02) * std::min(1.0, t2 / 0.0003 + 0.05);
            }
            const double x = noise(random_) * env;
            const double y = (b0 * x - b0 * x2 - a1 * y1 - a2 * y2) / a0;
            x2 = x1;
            x1 = x;
            y2 = y1;
            y1 = y;
            burst[n] = y;
            peak = std::max(peak, std::fabs(y));
        }
        for (std::size_t n = 0; n < length; ++n)
            samples_[start + n] += static_cast<float>(burst[n] * level / std::max(peak, 1e-9));
        break;
    }
    }
}

std::vector<std::uint8_t> monoWav16(std::span<const float> samples, int rate) {
    std::vector<std::uint8_t> bytes;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    bytes.reserve(44 + dataBytes);
    for (const char c : {'R', 'I', 'F', 'F'})
        bytes.push_back(static_cast<std::uint8_t>(c));
    u32(36 + dataBytes);
    for (const char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '})
        bytes.push_back(static_cast<std::uint8_t>(c));
    u32(16);
    u16(1);
    u16(1);
    u32(static_cast<std::uint32_t>(rate));
    u32(static_cast<std::uint32_t>(rate) * 2);
    u16(2);
    u16(16);
    for (const char c : {'d', 'a', 't', 'a'})
        bytes.push_back(static_cast<std::uint8_t>(c));
    u32(dataBytes);
    for (const float s : samples) {
        const auto v = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        u16(static_cast<std::uint16_t>(v));
    }
    return bytes;
}

} // namespace tamboro
