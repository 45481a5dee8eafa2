#pragma once
// The sound device of the main window: our stand-in for the platform's sound mixer. It owns the
// output stream (a back-end) and the mixer, hands out sound buffers, and carries the planned time
// of the current clock tick so that voice starts made during a tick land on the beat.
//
// Thread use: create buffers and call every buffer and device method on one thread at a time (the
// window thread). The audio thread only runs the mixer.

#include "sound/AudioBackend.h"
#include "sound/InputCapture.h"
#include "sound/SampleData.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundHealth.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace tamboro {

namespace detail {
struct DeviceCore;
}

struct SoundDeviceOptions {
    std::uint32_t voiceSlots = 1024;
    // Frames between a tick's planned time and the frame its voices start at. 0 = what the
    // back-end suggests (the null device: two buffers, one being rendered and one of margin for the
    // tick to reach the mixer, plus 2 ms).
    std::uint32_t lookaheadFrames = 0;
    // Record the back-end's input (when it has one) for analysis; see takeInput().
    bool recordInput = false;
};

class SoundDevice {
public:
    using Clock = std::chrono::steady_clock;

    // Opens and starts `backend`; throws Error when it cannot.
    explicit SoundDevice(std::unique_ptr<AudioBackend> backend, SoundDeviceOptions options = {});
    // Stops the stream first; buffers that outlive the device stay valid but silent. Errors of
    // closing are swallowed here; call close() to see them.
    ~SoundDevice();
    // Stops the stream and finishes the output (writes the capture file, if any). Throws Error when
    // that fails. Afterwards the device is silent.
    void close();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // The primary format request. Mixing always happens at the stream's own
    // rate; the request is kept so callers can read back what they asked for.
    void setPrimaryFormat(const PcmFormat& format) { primaryFormat_ = format; }
    const std::optional<PcmFormat>& primaryFormat() const { return primaryFormat_; }

    // A buffer on its own slot holding `sample`. Throws Error("Sound Buffer cannot be made") when
    // every slot is taken.
    std::unique_ptr<SoundBuffer> createBuffer(std::shared_ptr<const SampleData> sample);
    // A new voice sharing `source`'s sample memory, with its frequency, pan and volume. Same failure.
    std::unique_ptr<SoundBuffer> duplicate(const SoundBuffer& source);

    // While a ScheduledStarts is alive, play and stop calls carry `plannedTime`: they take effect at
    // the matching frame of the output, a fixed look-ahead after that time. Outside one they take
    // effect at once (the next block rendered).
    class ScheduledStarts {
    public:
        ScheduledStarts(SoundDevice& device, Clock::time_point plannedTime);
        ~ScheduledStarts();
        ScheduledStarts(const ScheduledStarts&) = delete;
        ScheduledStarts& operator=(const ScheduledStarts&) = delete;

    private:
        SoundDevice& device_;
        std::int64_t previous_;
    };

    // Calls off every start planned at `plannedTime` or later that has not sounded yet (starts made
    // ahead of their time by a ScheduledStarts): each voice stays as it was before them.
    void cancelStartsFrom(Clock::time_point plannedTime);

    // True when the input is being recorded (asked for and the back-end has one).
    bool recordsInput() const;
    // Why the back-end opened without the input asked for, naming the device (empty: no problem).
    std::string inputProblem() const;
    // While the input is recorded, every ScheduledStarts marks its planned time in the recording
    // and calls `marked` with the mark's id (0, 1, ...) from its constructor (the window thread);
    // a mark the mixer queue had no room for is missing from the recording.
    void onStepMarked(std::function<void(std::uint32_t id)> marked);
    // While the input is recorded: marks the output frame of `plannedTime` as the take's origin
    // (kOriginMark), where the take's frame 0 is to be counted from. The mark goes with the next
    // step mark, when the clock mapping has settled.
    void markInputOrigin(Clock::time_point plannedTime);
    // Stops the stream (as close() does) and returns the recorded input with its step marks.
    // Throws Error when nothing was recorded.
    InputTake takeInput();
    // While the stream plays on: drops what was recorded so far and starts a new take, whose step
    // marks count from id 0 again; endTake() stops recording and returns the take (the input is
    // not kept between takes). Without a recorded input both do nothing (endTake: an empty take).
    void beginTake();
    InputTake endTake();

    // True when the output has been called back at its pace for `span` up to now (see
    // Mixer::runningFor). Plan sample-exact starts only then: before, a sound server may still hold
    // the stream back, and every start planned meanwhile would land on one frame.
    bool outputRunningFor(Clock::duration span) const;
    // Waits (sleeping, on this thread) until outputRunningFor(span) or `timeout` has passed;
    // returns whether the output runs.
    bool waitForRunningOutput(Clock::duration span, Clock::duration timeout) const;

    // Releases sample memory of destroyed buffers that the audio thread no longer reads.
    void collectGarbage();

    std::uint32_t sampleRate() const;
    std::uint32_t bufferFrames() const;
    std::uint32_t lookaheadFrames() const;
    std::int64_t renderedFrames() const;
    std::uint64_t lateStarts() const;
    std::int64_t maxEarlinessNs() const;
    std::uint64_t underruns() const;
    // Every timing counter at once (any thread).
    SoundHealth health() const;
    std::uint64_t droppedCommands() const;
    std::string backendName() const;
    std::int64_t lastStartRenderNs() const;
    std::uint64_t startsApplied() const;
    std::size_t buffersInUse() const;

private:
    std::shared_ptr<detail::DeviceCore> core_;
    std::optional<PcmFormat> primaryFormat_;
};

// Nanoseconds on the steady clock, the time base of planned ticks and of the mixer's clock.
inline std::int64_t steadyNanos(SoundDevice::Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}
inline std::int64_t steadyNowNanos() {
    return steadyNanos(SoundDevice::Clock::now());
}

} // namespace tamboro
