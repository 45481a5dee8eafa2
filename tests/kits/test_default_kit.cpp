#include "kits/DefaultKitSynth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <string>

using namespace tamboro;

namespace {

// Share of a sound's spectral energy between `loHz` and `hiHz` (radix-2 FFT of the zero-padded
// whole sound).
double energyShare(const std::vector<std::int16_t>& samples, double loHz, double hiHz) {
    std::size_t n = 1;
    while (n < samples.size())
        n <<= 1;
    std::vector<std::complex<double>> x(n);
    for (std::size_t i = 0; i < samples.size(); ++i)
        x[i] = samples[i];
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(x[i], x[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const auto w = std::polar(1.0, -2 * 3.14159265358979323846 / static_cast<double>(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> wk = 1;
            for (std::size_t k = 0; k < len / 2; ++k, wk *= w) {
                const auto u = x[i + k], v = x[i + k + len / 2] * wk;
                x[i + k] = u + v;
                x[i + k + len / 2] = u - v;
            }
        }
    }
    double band = 0, total = 0;
    for (std::size_t k = 1; k < n / 2; ++k) {
        const double hz = static_cast<double>(k) * 44100.0 / static_cast<double>(n);
        const double e = std::norm(x[k]);
        total += e;
        if (hz >= loHz && hz < hiHz)
            band += e;
    }
    return band / total;
}

int indexOf(std::string_view name) {
    return static_cast<int>(std::find(defaultKitDisplayNames.begin(), defaultKitDisplayNames.end(), name) -
                            defaultKitDisplayNames.begin());
}

} // namespace

TEST(DefaultKit, NamesAndLayout) {
    const DrumKit kit = makeDefaultKit();
    ASSERT_EQ(kit.count(), 17);
    EXPECT_EQ(kit.item(0).name(), "");
    EXPECT_EQ(kit.item(0).wave(), blankWave());
    EXPECT_EQ(kit.item(0).wave().frames(), 441u);
    EXPECT_EQ(kit.item(1).name(), "Kick      [ ]");
    EXPECT_EQ(kit.item(15).name(), "Tambourine[ ]");
    EXPECT_EQ(kit.item(16).name(), "Shaker    [ ]");
    for (int i = 1; i < kit.count(); ++i) {
        const auto& item = kit.item(i);
        EXPECT_EQ(item.name().size(), 13u);
        EXPECT_EQ(item.displayName(), defaultKitDisplayNames[static_cast<std::size_t>(i - 1)]);
        EXPECT_EQ(kit.indexOf(item.name()), i);
        EXPECT_TRUE(item.wave().isPlayablePcm());
        EXPECT_EQ(item.wave().sampleRate(), 44100u);
        EXPECT_EQ(item.wave().bitsPerSample(), 16);
        EXPECT_EQ(item.wave().channels(), 1);
        EXPECT_FALSE(item.looped());
    }
    EXPECT_EQ(kitInstrumentName("Kick"), "Kick      [ ]");
    EXPECT_EQ(kitInstrumentName("TooLongName!"), "TooLongNam[ ]");
}

TEST(DefaultKit, EverySoundIsClean) {
    for (std::size_t d = 0; d < defaultKitDisplayNames.size(); ++d) {
        SCOPED_TRACE(std::string(defaultKitDisplayNames[d]));
        const auto s = synthesizeDrum(static_cast<int>(d));
        const double seconds = static_cast<double>(s.size()) / 44100.0;
        EXPECT_GE(seconds, 0.08);
        EXPECT_LE(seconds, 3.0);
        int peak = 0;
        double sum = 0;
        for (std::int16_t v : s) {
            peak = std::max(peak, std::abs(static_cast<int>(v)));
            sum += v;
        }
        const double peakDb = 20 * std::log10(peak / 32768.0);
        // Every drum at one level, with the headroom for hits that sound together.
        EXPECT_GE(peakDb, -10.0);
        EXPECT_LE(peakDb, -9.6);
        EXPECT_LT(std::fabs(sum / static_cast<double>(s.size())), 3.0) << "DC offset";
        // Starts and ends at silence, and the last 5 ms are nearly silent (no click).
        EXPECT_EQ(s.back(), 0);
        EXPECT_LE(std::abs(static_cast<int>(s.front())), 100);
        int tail = 0;
        for (std::size_t i = s.size() - 220; i < s.size(); ++i)
            tail = std::max(tail, std::abs(static_cast<int>(s[i])));
        EXPECT_LT(tail, peak / 100);
    }
}

TEST(DefaultKit, CharacterOfTheSounds) {
    struct Case {
        const char* name;
        double loHz, hiHz, minShare;
    };
    const Case cases[] = {
        {"Kick", 0, 150, 0.7},           {"Low Tom", 0, 300, 0.7},         {"Mid Tom", 0, 400, 0.7},
        {"High Tom", 0, 500, 0.7},       {"ClsHiat", 5000, 22050, 0.8},    {"OpenHiat", 5000, 22050, 0.8},
        {"PedalHiat", 5000, 22050, 0.8}, {"Crash", 3000, 22050, 0.8},      {"Ride", 3000, 22050, 0.8},
        {"Shaker", 4000, 22050, 0.8},    {"Tambourine", 4000, 22050, 0.8}, {"Snare", 150, 12000, 0.9},
        {"Cowbell", 400, 6000, 0.8},     {"Clap", 500, 5000, 0.7},
    };
    for (const auto& c : cases) {
        const auto s = synthesizeDrum(indexOf(c.name));
        EXPECT_GE(energyShare(s, c.loHz, c.hiHz), c.minShare) << c.name;
    }
    // Toms are tuned apart: each one's energy sits lower than the next one's.
    EXPECT_GT(energyShare(synthesizeDrum(indexOf("Low Tom")), 0, 130),
              energyShare(synthesizeDrum(indexOf("Mid Tom")), 0, 130));
    EXPECT_GT(energyShare(synthesizeDrum(indexOf("Mid Tom")), 0, 180),
              energyShare(synthesizeDrum(indexOf("High Tom")), 0, 180));
    // The open hat rings far longer than the closed one.
    EXPECT_GT(synthesizeDrum(indexOf("OpenHiat")).size(), 3 * synthesizeDrum(indexOf("ClsHiat")).size());
}

TEST(DefaultKit, Deterministic) {
    EXPECT_EQ(makeDefaultKit().saveToBytes(), makeDefaultKit().saveToBytes());
}
