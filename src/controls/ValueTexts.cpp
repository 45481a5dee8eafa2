#include "controls/ValueTexts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tamboro {

namespace {

// One decimal, never "-0.0".
std::string oneDecimal(double value, bool withPlus) {
    const double rounded = std::round(value * 10.0) / 10.0;
    char text[32];
    std::snprintf(text, sizeof text, withPlus ? "%+.1f" : "%.1f", rounded == 0.0 ? 0.0 : rounded);
    return text;
}

} // namespace

std::string bpmText(int bpm) {
    return std::to_string(bpm) + " BPM";
}

std::string panText(int pan) {
    if (pan == 0)
        return "Centre";
    const std::string side = pan < 0 ? "L " : "R ";
    // 10000 is the whole way to one side: a hundredth of it is one per cent.
    const long percent = std::lround(std::abs(pan) / 100.0);
    return side + (percent == 0 ? std::string("<1") : std::to_string(percent)) + " %";
}

std::string volumeText(int volume) {
    return oneDecimal(volume / 100.0, false) + " dB";
}

std::string pitchText(int hz, int baseHz) {
    const std::string rate = std::to_string(hz) + " Hz";
    if (baseHz <= 0 || hz <= 0)
        return rate;
    return oneDecimal(12.0 * std::log2(static_cast<double>(hz) / baseHz), true) + " semitones, " + rate;
}

} // namespace tamboro
