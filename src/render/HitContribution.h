#pragma once
// What one hit adds to a mix: the source played at `rate` frames per second, measured in
// destination frames, linearly interpolated between neighbouring source frames, scaled by the
// volume and the balance law's channel gain and rounded (ties to even). WaveBuffer::mixWave adds
// these values sample by sample; the song mixer caches them per sound.

#include <cstdint>

namespace tamboro {

class WaveBuffer;

// Frames a render may hold: the data size of a WAV file, 4 bytes per frame, must fit its 32-bit
// size fields.
inline constexpr std::int64_t kMaxRenderFrames = (0xFFFFFFFFll - 36) / 4;

struct BalanceGains {
    double left = 1;
    double right = 1;
};

// The balance law: the louder side stays at 1. pan > 1: left silent; 0 < pan <= 1: left 1 - pan;
// -1 <= pan < 0: right 1 - |pan|; pan < -1: right silent.
BalanceGains balanceGains(double pan);

class HitContribution {
public:
    // `destChannels` channels are produced (channel c reads source channel c, so a mono source gives
    // its next frame for the right channel). Throws Error when the sound would be longer than a WAV
    // file can hold.
    HitContribution(WaveBuffer& source, std::uint32_t destSampleRate, int destChannels, int rate,
                    double volume, double pan);

    // N: destination frames the hit covers; 0 when nothing is mixed.
    std::int64_t frames() const { return frames_; }
    int channels() const { return channels_; }
    // Writes the rounded contributions of frames [from, to) into `out`, channels interleaved. Values
    // are limited to +-1000000, which changes nothing after clipping to 16 bits.
    void compute(std::int64_t from, std::int64_t to, std::int32_t* out) const;

private:
    WaveBuffer& source_;
    int channels_;
    double volume_;
    BalanceGains gains_;
    std::int64_t frames_ = 0;
    double ratio_ = 1; // q = N / source frameCount
};

} // namespace tamboro
