#pragma once
// One sound buffer of the sound device: a slot in the mixer playing shared, immutable sample
// memory, with its own frequency, pan and volume. A duplicated buffer is a voice of the same
// sample. Destroying the buffer silences it at once; its memory is released once the audio
// thread has let go of it.
//
// Calls never throw: a failure (the command queue full) is recorded in lastError() and otherwise
// ignored, as sound-buffer errors are.

#include "sound/SampleData.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tamboro {

namespace detail {
struct DeviceCore;
}
struct MixerCommand;

class SoundBuffer {
public:
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Plays from the current position, once or looping (a one-shot buffer that has reached its end
    // must be rewound with setPosition(0) first).
    void play(bool looping);
    // Stops (at the tick's planned frame while a ScheduledStarts is alive); the position stays.
    void stop();
    // The "restart" of a voice in one step: stop, rewind to `frame`, take the buffer's current
    // frequency, pan and volume, play. Within a tick the whole restart happens at the planned
    // frame, so the previous sound of this buffer rings until exactly then.
    void restart(bool looping, std::size_t frame = 0);
    // The same with new frequency, pan and volume, which take effect with the restart (a sound
    // still ringing on this buffer keeps its own until then).
    void restart(bool looping, std::size_t frame, std::int32_t frequency, std::int32_t pan,
                 std::int32_t volume);

    void setPosition(std::size_t frame);
    std::size_t position() const;
    bool isPlaying() const;
    bool isLooping() const;

    // Hz, 0 = the sample's own rate.
    void setFrequency(std::int32_t hz);
    std::int32_t frequency() const { return frequency_; }
    // -10000 (left) .. 10000 (right).
    void setPan(std::int32_t pan);
    std::int32_t pan() const { return pan_; }
    // Hundredths of a decibel, -10000 .. 0.
    void setVolume(std::int32_t volume);
    std::int32_t volume() const { return volume_; }

    const std::shared_ptr<const SampleData>& sample() const { return sample_; }
    std::uint32_t slot() const { return slot_; }
    const std::string& lastError() const { return lastError_; }

private:
    friend struct detail::DeviceCore;
    friend class SoundDevice;
    SoundBuffer(std::shared_ptr<detail::DeviceCore> core, std::uint32_t slot,
                std::shared_ptr<const SampleData> sample);

    struct Intended {
        bool playing = false;
        bool looping = false;
        std::size_t position = 0;
    };
    bool send(MixerCommand& command);
    bool answeredByMixer() const;
    double step() const;

    std::shared_ptr<detail::DeviceCore> core_;
    std::uint32_t slot_;
    std::shared_ptr<const SampleData> sample_;
    std::int32_t frequency_ = 0;
    std::int32_t pan_ = 0;
    std::int32_t volume_ = 0;
    // What the window side last asked for; it stands for the buffer's status until the mixer has
    // applied that command.
    Intended intended_;
    std::uint64_t lastSeq_ = 0;
    std::string lastError_;
};

} // namespace tamboro
