#include "sound/SoundBuffer.h"

#include "sound/DeviceCore.h"
#include "sound/SoundLaw.h"

#include <algorithm>

namespace tamboro {

SoundBuffer::SoundBuffer(std::shared_ptr<detail::DeviceCore> core, std::uint32_t slot,
                         std::shared_ptr<const SampleData> sample)
    : core_(std::move(core)), slot_(slot), sample_(std::move(sample)) {}

SoundBuffer::~SoundBuffer() {
    core_->releaseSlot(slot_, std::move(sample_));
}

bool SoundBuffer::send(MixerCommand& command) {
    command.slot = slot_;
    const bool ok = core_->post(command);
    lastSeq_ = command.seq;
    if (!ok)
        lastError_ = "Sound buffer command not accepted";
    return ok;
}

bool SoundBuffer::answeredByMixer() const {
    return core_->mixer->processedSeq() >= lastSeq_;
}

double SoundBuffer::step() const {
    return resampleStep(frequency_, sample_->format().sampleRate, core_->mixer->outputRate());
}

void SoundBuffer::play(bool looping) {
    restart(looping, position());
}

void SoundBuffer::restart(bool looping, std::size_t frame, std::int32_t frequency, std::int32_t pan,
                          std::int32_t volume) {
    frequency_ = frequency;
    pan_ = std::clamp(pan, kPanLeft, kPanRight);
    volume_ = std::clamp(volume, kVolumeMin, kVolumeMax);
    restart(looping, frame);
}

void SoundBuffer::restart(bool looping, std::size_t frame) {
    const StereoGains gains = stereoGains(volume_, pan_);
    MixerCommand command;
    command.kind = MixerCommand::Kind::Start;
    command.looping = looping;
    command.position = static_cast<double>(frame);
    command.step = step();
    command.gainLeft = gains.left;
    command.gainRight = gains.right;
    send(command);
    intended_ = Intended{frame < sample_->frames(), looping && frame < sample_->frames(), frame};
}

void SoundBuffer::stop() {
    const std::size_t at = position();
    MixerCommand command;
    command.kind = MixerCommand::Kind::Stop;
    send(command);
    intended_ = Intended{false, false, at};
}

void SoundBuffer::setPosition(std::size_t frame) {
    frame = std::min(frame, sample_->frames());
    const bool playing = isPlaying();
    const bool looping = isLooping();
    MixerCommand command;
    command.kind = MixerCommand::Kind::SetPosition;
    command.position = static_cast<double>(frame);
    send(command);
    intended_ = Intended{playing, looping, frame};
}

std::size_t SoundBuffer::position() const {
    if (answeredByMixer())
        return static_cast<std::size_t>(std::max<std::int64_t>(0, core_->mixer->position(slot_)));
    return intended_.position;
}

bool SoundBuffer::isPlaying() const {
    if (answeredByMixer())
        return (core_->mixer->status(slot_) & Mixer::kStatusPlaying) != 0;
    return intended_.playing;
}

bool SoundBuffer::isLooping() const {
    if (answeredByMixer())
        return (core_->mixer->status(slot_) & Mixer::kStatusLooping) != 0;
    return intended_.looping;
}

void SoundBuffer::setFrequency(std::int32_t hz) {
    frequency_ = hz;
    const bool playing = isPlaying(), looping = isLooping();
    const std::size_t at = position();
    MixerCommand command;
    command.kind = MixerCommand::Kind::SetStep;
    command.step = step();
    send(command);
    intended_ = Intended{playing, looping, at};
}

void SoundBuffer::setPan(std::int32_t pan) {
    pan_ = std::clamp(pan, kPanLeft, kPanRight);
    setVolume(volume_);
}

void SoundBuffer::setVolume(std::int32_t volume) {
    volume_ = std::clamp(volume, kVolumeMin, kVolumeMax);
    const bool playing = isPlaying(), looping = isLooping();
    const std::size_t at = position();
    const StereoGains gains = stereoGains(volume_, pan_);
    MixerCommand command;
    command.kind = MixerCommand::Kind::SetGains;
    command.gainLeft = gains.left;
    command.gainRight = gains.right;
    send(command);
    intended_ = Intended{playing, looping, at};
}

} // namespace tamboro
