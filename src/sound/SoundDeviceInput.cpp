// The sound device's recorded input: the parts of SoundDevice that hand it out.

#include "common/Error.h"
#include "sound/DeviceCore.h"
#include "sound/SoundDevice.h"

namespace tamboro {

bool SoundDevice::recordsInput() const {
    return core_->input != nullptr;
}

std::string SoundDevice::inputProblem() const {
    return core_->backend->inputProblem();
}

void SoundDevice::onStepMarked(std::function<void(std::uint32_t)> marked) {
    std::lock_guard lock(core_->producerMutex);
    core_->stepMarked = std::move(marked);
}

void SoundDevice::markInputOrigin(Clock::time_point plannedTime) {
    if (!core_->input)
        return;
    std::lock_guard lock(core_->producerMutex);
    core_->originNs = steadyNanos(plannedTime);
}

InputTake SoundDevice::takeInput() {
    if (!core_->input)
        throw Error("The sound device records no input");
    close();
    core_->input->stop();
    return core_->input->take();
}

void SoundDevice::beginTake() {
    if (!core_->input)
        return;
    core_->input->stop();
    std::lock_guard lock(core_->producerMutex);
    core_->input->take(); // what came before the take
    core_->nextMarkId = 0;
    core_->originNs = kAtOnce;
    core_->input->start();
}

InputTake SoundDevice::endTake() {
    if (!core_->input)
        return {};
    core_->input->stop();
    return core_->input->take();
}

} // namespace tamboro
