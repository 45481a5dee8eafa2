#pragma once
// `SampleStreams`: the 32 extra-sample players, one per extra sample ("Sample1".."Sample32"),
// each a sound buffer of its own with its volume, pan and frequency. Playback restarts player n
// from its beginning (sample-accurately within a tick) and Stop silences them all. Every player
// starts out holding "Blank.wav" (or silence until one is given).
//
// Window thread only.

#include "sound/InstrumentList.h"
#include "sound/SoundBuffer.h"

#include <array>
#include <memory>

namespace tamboro {

class SoundDevice;
class Wave;

class SampleStreams {
public:
    // Every player holds `blank`, or nothing (silent) when it is not playable.
    SampleStreams(SoundDevice& device, const Wave& blank);

    // Player n (1..32) takes `wave`; a wave that is not 8/16-bit PCM leaves it silent. Its volume,
    // pan and frequency are kept. Throws Error("Sound Buffer cannot be made") when the device is full.
    void setWave(int n, const Wave& wave);
    // Back to the blank sound, all 32.
    void resetAll(const Wave& blank);

    // Restart from the beginning (position 0, then play once). Out-of-range n does nothing.
    void restart(int n);
    void stop(int n);
    void stopAll();

    void setVolume(int n, std::int32_t volume);
    void setPan(int n, std::int32_t pan);
    void setFrequency(int n, std::int32_t hz);

    // Player n, or nullptr when out of range or silent.
    const SoundBuffer* player(int n) const;
    bool isPlaying(int n) const;

private:
    struct Player {
        std::unique_ptr<SoundBuffer> buffer;
        std::int32_t volume = 0;
        std::int32_t pan = 0;
        std::int32_t frequency = 0;
    };
    Player* at(int n);

    SoundDevice& device_;
    std::array<Player, kExtraSampleStreams> players_;
};

} // namespace tamboro
