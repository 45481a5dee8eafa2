#pragma once
// Internal to the sound device: the state shared by the device and its buffers. Buffers hold it
// by shared pointer, so a buffer destroyed after its device is still safe (and silent).

#include "sound/AudioBackend.h"
#include "sound/Mixer.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace tamboro::detail {

struct DeviceCore {
    // Declared first so it outlives the stream that feeds it.
    std::unique_ptr<InputCapture> input;
    std::unique_ptr<AudioBackend> backend;
    std::unique_ptr<Mixer> mixer;

    // Serialises the producer side of the mixer queue. Only window-side code takes it; the audio
    // thread never does.
    std::mutex producerMutex;
    bool streamRunning = false;
    std::uint64_t nextSeq = 1;
    std::int64_t scheduledNs = kAtOnce;
    // Step marks: every ScheduledStarts posts one (with the next id) while an input is recorded.
    std::uint32_t nextMarkId = 0;
    // The take's origin, posted with the next step mark (the clock mapping has settled by then).
    std::int64_t originNs = kAtOnce;
    std::function<void(std::uint32_t)> stepMarked;
    std::vector<std::uint32_t> freeSlots;
    std::size_t slotsInUse = 0;
    std::atomic<std::uint64_t> droppedCommands{0};

    // Sample memory of released slots, kept until the mixer has applied their Detach (seq). A
    // Detach that found the queue full is retried (posted == false) before anything is freed.
    struct Retired {
        std::uint64_t seq = 0;
        std::uint32_t slot = 0;
        bool posted = false;
        std::shared_ptr<const SampleData> sample;
    };
    std::vector<Retired> retired;

    // Stamps and posts one command. False (and counted) when the queue is full or no stream runs.
    bool post(MixerCommand& command);
    std::uint32_t allocateSlot();
    void releaseSlot(std::uint32_t slot, std::shared_ptr<const SampleData> sample);
    void collect();

private:
    bool postLocked(MixerCommand& command);
    void collectLocked();
};

} // namespace tamboro::detail
