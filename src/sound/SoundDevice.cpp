#include "sound/SoundDevice.h"

#include "common/Error.h"
#include "sound/DeviceCore.h"

#include <thread>

namespace tamboro {

namespace detail {

bool DeviceCore::postLocked(MixerCommand& command) {
    command.seq = nextSeq++;
    if (command.kind == MixerCommand::Kind::Start || command.kind == MixerCommand::Kind::Stop)
        command.timeNs = scheduledNs;
    if (!streamRunning)
        return false;
    if (!mixer->post(command)) {
        droppedCommands.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    return true;
}

bool DeviceCore::post(MixerCommand& command) {
    std::lock_guard lock(producerMutex);
    return postLocked(command);
}

void DeviceCore::collectLocked() {
    const std::uint64_t done = mixer->processedSeq();
    std::size_t kept = 0;
    for (auto& r : retired) {
        if (streamRunning && !r.posted) {
            MixerCommand detach;
            detach.kind = MixerCommand::Kind::Detach;
            detach.slot = r.slot;
            r.posted = postLocked(detach);
            r.seq = detach.seq;
        }
        const bool released = !streamRunning || (r.posted && r.seq <= done);
        if (released) {
            freeSlots.push_back(r.slot);
            --slotsInUse;
        } else {
            retired[kept++] = std::move(r);
        }
    }
    retired.resize(kept);
}

void DeviceCore::collect() {
    std::lock_guard lock(producerMutex);
    collectLocked();
}

std::uint32_t DeviceCore::allocateSlot() {
    std::lock_guard lock(producerMutex);
    if (freeSlots.empty())
        collectLocked();
    if (freeSlots.empty())
        throw Error("Sound Buffer cannot be made");
    const std::uint32_t slot = freeSlots.back();
    freeSlots.pop_back();
    ++slotsInUse;
    return slot;
}

void DeviceCore::releaseSlot(std::uint32_t slot, std::shared_ptr<const SampleData> sample) {
    std::lock_guard lock(producerMutex);
    MixerCommand detach;
    detach.kind = MixerCommand::Kind::Detach;
    detach.slot = slot;
    const bool posted = postLocked(detach);
    retired.push_back(Retired{detach.seq, slot, posted, std::move(sample)});
    collectLocked();
}

} // namespace detail

SoundDevice::SoundDevice(std::unique_ptr<AudioBackend> backend, SoundDeviceOptions options)
    : core_(std::make_shared<detail::DeviceCore>()) {
    core_->backend = std::move(backend);
    core_->backend->open();
    const std::uint32_t lookahead =
        options.lookaheadFrames ? options.lookaheadFrames : core_->backend->suggestedLookahead();
    core_->mixer = std::make_unique<Mixer>(core_->backend->sampleRate(), options.voiceSlots, lookahead);
    core_->freeSlots.reserve(options.voiceSlots);
    for (std::uint32_t i = options.voiceSlots; i > 0; --i)
        core_->freeSlots.push_back(i - 1);
    if (options.recordInput && core_->backend->inputChannels() > 0) {
        core_->input = std::make_unique<InputCapture>(core_->backend->sampleRate());
        core_->mixer->attachInput(core_->input.get());
        core_->input->start();
    }
    try {
        core_->backend->start(*core_->mixer);
    } catch (...) {
        try {
            core_->backend->close();
        } catch (const Error&) {
            // The start failure is the one worth reporting.
        }
        throw;
    }
    core_->streamRunning = true;
}

SoundDevice::~SoundDevice() {
    try {
        close();
    } catch (const Error&) {
        // Reported only to callers of close().
    }
}

void SoundDevice::close() {
    {
        std::lock_guard lock(core_->producerMutex);
        core_->streamRunning = false;
    }
    core_->backend->close();
    core_->collect();
}

std::unique_ptr<SoundBuffer> SoundDevice::createBuffer(std::shared_ptr<const SampleData> sample) {
    if (!sample)
        throw Error("Sound Buffer cannot be made");
    const std::uint32_t slot = core_->allocateSlot();
    std::unique_ptr<SoundBuffer> buffer(new SoundBuffer(core_, slot, std::move(sample)));
    MixerCommand attach;
    attach.kind = MixerCommand::Kind::Attach;
    attach.slot = slot;
    attach.data = buffer->sample().get();
    if (!buffer->send(attach))
        buffer->lastError_ = "Sound Buffer cannot be made";
    return buffer;
}

std::unique_ptr<SoundBuffer> SoundDevice::duplicate(const SoundBuffer& source) {
    auto copy = createBuffer(source.sample());
    copy->setFrequency(source.frequency());
    copy->setPan(source.pan());
    copy->setVolume(source.volume());
    return copy;
}

SoundDevice::ScheduledStarts::ScheduledStarts(SoundDevice& device, Clock::time_point plannedTime)
    : device_(device) {
    detail::DeviceCore& core = *device_.core_;
    std::int64_t markId = -1;
    {
        std::lock_guard lock(core.producerMutex);
        previous_ = core.scheduledNs;
        core.scheduledNs = steadyNanos(plannedTime);
        if (core.input && core.streamRunning && core.originNs != kAtOnce) {
            MixerCommand origin;
            origin.kind = MixerCommand::Kind::Mark;
            origin.slot = kOriginMark;
            origin.timeNs = core.originNs;
            origin.seq = core.nextSeq++;
            core.mixer->post(origin);
            core.originNs = kAtOnce;
        }
        if (core.input && core.streamRunning) {
            MixerCommand mark;
            mark.kind = MixerCommand::Kind::Mark;
            mark.slot = core.nextMarkId++;
            mark.timeNs = core.scheduledNs;
            mark.seq = core.nextSeq++;
            if (!core.mixer->post(mark))
                core.droppedCommands.fetch_add(1, std::memory_order_relaxed);
            markId = mark.slot;
        }
    }
    // Outside the lock: the callback may ask the device anything.
    if (markId >= 0 && core.stepMarked)
        core.stepMarked(static_cast<std::uint32_t>(markId));
}

SoundDevice::ScheduledStarts::~ScheduledStarts() {
    std::lock_guard lock(device_.core_->producerMutex);
    device_.core_->scheduledNs = previous_;
}

bool SoundDevice::outputRunningFor(Clock::duration span) const {
    return core_->mixer->runningFor(std::chrono::duration_cast<std::chrono::nanoseconds>(span).count(),
                                    steadyNowNanos());
}

bool SoundDevice::waitForRunningOutput(Clock::duration span, Clock::duration timeout) const {
    const auto end = Clock::now() + timeout;
    while (!outputRunningFor(span)) {
        if (Clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void SoundDevice::cancelStartsFrom(Clock::time_point plannedTime) {
    MixerCommand cancel;
    cancel.kind = MixerCommand::Kind::Cancel;
    cancel.timeNs = steadyNanos(plannedTime);
    // A cancel the full queue refused is counted with the dropped commands.
    core_->post(cancel);
}

void SoundDevice::collectGarbage() {
    core_->collect();
}

std::uint32_t SoundDevice::sampleRate() const {
    return core_->mixer->outputRate();
}
std::uint32_t SoundDevice::bufferFrames() const {
    return core_->backend->bufferFrames();
}
std::uint32_t SoundDevice::lookaheadFrames() const {
    return core_->mixer->lookaheadFrames();
}
std::int64_t SoundDevice::renderedFrames() const {
    return core_->mixer->renderedFrames();
}
std::uint64_t SoundDevice::lateStarts() const {
    return core_->mixer->lateEvents();
}
std::int64_t SoundDevice::maxEarlinessNs() const {
    return core_->mixer->maxEarlinessNs();
}
std::uint64_t SoundDevice::underruns() const {
    return core_->backend->underruns();
}
SoundHealth SoundDevice::health() const {
    const Mixer& mixer = *core_->mixer;
    SoundHealth h;
    h.lateStarts = mixer.lateEvents();
    h.underruns = core_->backend->underruns();
    h.reanchors = mixer.clockReanchors();
    h.lookaheadFrames = mixer.lookaheadFrames();
    h.lookaheadLeftFrames = mixer.lookaheadFrames() - mixer.clockOffsetNs() *
                                                          static_cast<std::int64_t>(mixer.outputRate()) /
                                                          1'000'000'000;
    h.skewPpm = mixer.clockSkewPpm();
    h.maxEarlyMs = static_cast<double>(mixer.maxEarlinessNs()) / 1e6;
    return h;
}
std::uint64_t SoundDevice::droppedCommands() const {
    return core_->droppedCommands.load();
}
std::string SoundDevice::backendName() const {
    return core_->backend->name();
}
std::int64_t SoundDevice::lastStartRenderNs() const {
    return core_->mixer->lastStartRenderNs();
}
std::uint64_t SoundDevice::startsApplied() const {
    return core_->mixer->startsApplied();
}
std::size_t SoundDevice::buffersInUse() const {
    std::lock_guard lock(core_->producerMutex);
    return core_->slotsInUse - core_->retired.size();
}

} // namespace tamboro
