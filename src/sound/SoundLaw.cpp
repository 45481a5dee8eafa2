#include "sound/SoundLaw.h"

#include <algorithm>
#include <cmath>

namespace tamboro {

float gainOfAttenuation(std::int32_t hundredthsOfDb) {
    if (hundredthsOfDb <= 0)
        return 1.0f;
    if (hundredthsOfDb >= -kVolumeMin)
        return 0.0f;
    return static_cast<float>(std::pow(10.0, -hundredthsOfDb / 2000.0));
}

StereoGains stereoGains(std::int32_t volume, std::int32_t pan) {
    const std::int32_t v = std::clamp(volume, kVolumeMin, kVolumeMax);
    const std::int32_t p = std::clamp(pan, kPanLeft, kPanRight);
    // Attenuations add up in decibels; the side away from the pan loses |pan| on top of -volume.
    return StereoGains{gainOfAttenuation(-v + std::max(p, 0)), gainOfAttenuation(-v + std::max(-p, 0))};
}

double resampleStep(std::int32_t frequency, std::uint32_t sampleRate, std::uint32_t outputRate) {
    if (outputRate == 0)
        return 0.0;
    const double source =
        frequency > 0 ? static_cast<double>(std::clamp(frequency, kFrequencyMin, kFrequencyMax)) : sampleRate;
    return source / outputRate;
}

} // namespace tamboro
