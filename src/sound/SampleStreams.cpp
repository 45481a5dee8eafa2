#include "sound/SampleStreams.h"

#include "kits/Wave.h"
#include "sound/SampleData.h"
#include "sound/SoundDevice.h"

namespace tamboro {

SampleStreams::SampleStreams(SoundDevice& device, const Wave& blank) : device_(device) {
    resetAll(blank);
}

SampleStreams::Player* SampleStreams::at(int n) {
    if (n < 1 || n > kExtraSampleStreams)
        return nullptr;
    return &players_[static_cast<std::size_t>(n - 1)];
}

void SampleStreams::setWave(int n, const Wave& wave) {
    Player* p = at(n);
    if (!p)
        return;
    p->buffer.reset();
    if (!wave.isPlayablePcm())
        return;
    p->buffer = device_.createBuffer(SampleData::fromWave(wave));
    p->buffer->setVolume(p->volume);
    p->buffer->setPan(p->pan);
    p->buffer->setFrequency(p->frequency);
}

void SampleStreams::resetAll(const Wave& blank) {
    for (int n = 1; n <= kExtraSampleStreams; ++n)
        setWave(n, blank);
}

void SampleStreams::restart(int n) {
    if (Player* p = at(n); p && p->buffer)
        p->buffer->restart(false, 0);
}

void SampleStreams::stop(int n) {
    if (Player* p = at(n); p && p->buffer)
        p->buffer->stop();
}

void SampleStreams::stopAll() {
    for (int n = 1; n <= kExtraSampleStreams; ++n)
        stop(n);
}

void SampleStreams::setVolume(int n, std::int32_t volume) {
    if (Player* p = at(n)) {
        p->volume = volume;
        if (p->buffer)
            p->buffer->setVolume(volume);
    }
}

void SampleStreams::setPan(int n, std::int32_t pan) {
    if (Player* p = at(n)) {
        p->pan = pan;
        if (p->buffer)
            p->buffer->setPan(pan);
    }
}

void SampleStreams::setFrequency(int n, std::int32_t hz) {
    if (Player* p = at(n)) {
        p->frequency = hz;
        if (p->buffer)
            p->buffer->setFrequency(hz);
    }
}

const SoundBuffer* SampleStreams::player(int n) const {
    if (n < 1 || n > kExtraSampleStreams)
        return nullptr;
    return players_[static_cast<std::size_t>(n - 1)].buffer.get();
}

bool SampleStreams::isPlaying(int n) const {
    const SoundBuffer* b = player(n);
    return b && b->isPlaying();
}

} // namespace tamboro
