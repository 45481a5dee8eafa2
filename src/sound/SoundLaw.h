#pragma once
// The units of the sound device and what they mean: volume in hundredths of a decibel of
// attenuation (0 full level, -10000 silence), pan in hundredths of a decibel taken off one side
// (positive pan attenuates the left side, negative the right), frequency in hertz (0 = the
// sample's own rate).

#include <cstdint>

namespace tamboro {

inline constexpr std::int32_t kVolumeMax = 0;
inline constexpr std::int32_t kVolumeMin = -10000;
inline constexpr std::int32_t kPanLeft = -10000;
inline constexpr std::int32_t kPanRight = 10000;
inline constexpr std::int32_t kFrequencyMin = 100;
inline constexpr std::int32_t kFrequencyMax = 200000;

struct StereoGains {
    float left = 1.0f;
    float right = 1.0f;
};

// Linear gain of an attenuation in hundredths of a decibel: 10^(-att/2000); an attenuation of
// 10000 or more is silence.
float gainOfAttenuation(std::int32_t hundredthsOfDb);

// Left and right gains of a buffer at `volume` and `pan` (both clamped to their ranges first).
StereoGains stereoGains(std::int32_t volume, std::int32_t pan);

// Source frames per output frame: `frequency` (clamped to 100..200000) over the output rate, or
// the sample's own rate over the output rate when `frequency` is 0 or less.
double resampleStep(std::int32_t frequency, std::uint32_t sampleRate, std::uint32_t outputRate);

} // namespace tamboro
