#pragma once
// The audio-thread side of the sound device: a fixed array of voice slots mixed in float into an
// interleaved stereo block, with linear-interpolation resampling and clamping at the output.
//
// The window thread talks to it only through `post` (a lock-free command queue); the mixer answers
// through atomics (per-slot status and position, the sequence number of the last command it
// applied). `render` never locks, allocates, frees or does I/O.
//
// Sample-accurate starts: a Start or Stop carries a planned time on the steady clock. The mixer
// maps that clock to its own frame counter through a CardClock (the card's rate and envelope,
// learned from the callbacks' times; late callbacks never move it, corrections only slew) and
// applies the event at the mapped frame + look-ahead, inside whichever block covers that frame.
// Events planned "at once" apply at the start of the next block.

#include "sound/CardClock.h"
#include "sound/InputCapture.h"
#include "sound/SampleData.h"
#include "sound/SpscQueue.h"

#include <atomic>
#include <cstdint>
#include <limits>
#include <memory>

namespace tamboro {

inline constexpr std::int64_t kAtOnce = std::numeric_limits<std::int64_t>::min();

struct MixerCommand {
    // Mark: no sound; tells the attached input capture at which output frame `timeNs` lands (id in
    // `slot`). Cancel: every slot drops its pending starts planned at or after `timeNs` (the slot is
    // not read), so sounds planned ahead of time can be called off.
    enum class Kind : std::uint8_t {
        Attach,
        Detach,
        Start,
        Stop,
        SetPosition,
        SetStep,
        SetGains,
        Mark,
        Cancel
    };
    Kind kind = Kind::Stop;
    bool looping = false;
    std::uint32_t slot = 0;
    std::uint64_t seq = 0;
    const SampleData* data = nullptr; // Attach: kept alive by the window side until the Detach is applied
    std::int64_t timeNs = kAtOnce;    // Start, Stop: planned steady-clock time, or kAtOnce
    double position = 0.0;            // Start, SetPosition: source frame
    double step = 1.0;                // Start, SetStep: source frames per output frame
    float gainLeft = 1.0f;            // Start, SetGains
    float gainRight = 1.0f;
};

class Mixer {
public:
    static constexpr std::uint32_t kStatusPlaying = 1;
    static constexpr std::uint32_t kStatusLooping = 2;

    Mixer(std::uint32_t outputRate, std::uint32_t slotCount, std::uint32_t lookaheadFrames,
          std::size_t queueCapacity = 8192);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // Producer side (one thread at a time). False when the queue is full; the command is dropped.
    bool post(const MixerCommand& command) { return queue_.push(command); }

    // Audio thread: applies the queued commands, then mixes `frames` stereo frames into `out`
    // (overwritten). `nowNs` is the steady-clock time of this call.
    void render(float* out, std::uint32_t frames, std::int64_t nowNs) noexcept {
        render(out, nullptr, 0, frames, nowNs);
    }
    // The same with the input frames that arrived with this block (`inputChannels` interleaved;
    // null or 0 channels: none), handed to the attached input capture stamped with their frame.
    void render(float* out, const float* input, std::uint32_t inputChannels, std::uint32_t frames,
                std::int64_t nowNs) noexcept;
    // Audio thread, after the render of the block it belongs to: input frames from `frame` on that
    // only exist once that block is rendered (an output looped back to the input).
    void captureInput(const float* input, std::uint32_t channels, std::uint32_t frames,
                      std::int64_t frame) noexcept {
        if (input_)
            input_->push(input, channels, frames, frame);
    }
    // Before the stream starts: where input frames and step marks go (null: nowhere).
    void attachInput(InputCapture* capture) { input_ = capture; }
    // Audio thread: the output frame a start planned at steady time `timeNs` would land on, or -1
    // while the clock mapping has not been made yet.
    std::int64_t plannedFrame(std::int64_t timeNs) const noexcept;
    // Audio thread: the frame the next render call starts at.
    std::int64_t nextFrame() const noexcept { return frameCounter_; }
    // Audio thread, before a render: the output lost or repeated frames (an xrun, dropped blocks,
    // a restarted stream), so the clock mapping re-anchors once.
    void noteDiscontinuity() noexcept { clock_.noteDiscontinuity(); }

    // Any thread.
    std::uint32_t outputRate() const { return rate_; }
    std::uint32_t slotCount() const { return slotCount_; }
    std::uint32_t lookaheadFrames() const { return lookahead_; }
    std::uint64_t processedSeq() const { return processedSeq_.load(std::memory_order_acquire); }
    std::uint32_t status(std::uint32_t slot) const;
    std::int64_t position(std::uint32_t slot) const;
    std::int64_t renderedFrames() const { return renderedFrames_.load(std::memory_order_acquire); }
    // Starts whose planned frame had already been rendered when they arrived (they start at once).
    std::uint64_t lateEvents() const { return lateEvents_.load(std::memory_order_relaxed); }
    // The `nowNs` of the render call that applied the latest Start, and how many Starts so far.
    std::int64_t lastStartRenderNs() const { return lastStartRenderNs_.load(std::memory_order_acquire); }
    // How much earlier than the clock mapping (after it settled) blocks have been rendered at most;
    // the look-ahead must cover it or starts miss their frames.
    std::int64_t maxEarlinessNs() const { return clock_.maxEarlinessNs(); }
    // The clock mapping's health: re-anchors after discontinuities, the card's rate against the
    // steady clock, and where the mapping lies against the card now (positive: using look-ahead).
    std::uint64_t clockReanchors() const { return clock_.reanchors(); }
    double clockSkewPpm() const { return clock_.skewPpm(); }
    std::int64_t clockOffsetNs() const { return clock_.offsetNs(); }
    std::uint64_t startsApplied() const { return startsApplied_.load(std::memory_order_acquire); }
    // True when, at steady time `nowNs`, the output has been called back at its pace for `spanNs`:
    // no pause between calls longer than kMaxCallbackPauseNs (or four blocks), the last one included.
    // A sound server can hold the first callbacks back for seconds (a duplex stream waits for its
    // input's first fragment); steps planned during such a pause would all land on one frame.
    static constexpr std::int64_t kMaxCallbackPauseNs = 100'000'000;
    bool runningFor(std::int64_t spanNs, std::int64_t nowNs) const noexcept;

private:
    struct Event;
    struct Slot;

    void apply(const MixerCommand& command, std::int64_t blockStart) noexcept;
    void cancelStarts(std::int64_t timeNs, std::int64_t blockStart) noexcept;
    std::int64_t frameOfTime(std::int64_t timeNs, std::int64_t blockStart) noexcept;
    void queueEvent(Slot& slot, const Event& event) noexcept;
    void runEvent(Slot& slot, const Event& event, std::int64_t nowNs) noexcept;
    void mixSlot(Slot& slot, float* out, std::uint32_t frames, std::int64_t blockStart,
                 std::int64_t nowNs) noexcept;

    const std::uint32_t rate_;
    const std::uint32_t slotCount_;
    const std::uint32_t lookahead_;
    SpscQueue<MixerCommand> queue_;
    std::unique_ptr<Slot[]> slots_;

    // Audio-thread state.
    std::int64_t frameCounter_ = 0;
    InputCapture* input_ = nullptr;
    CardClock clock_;

    std::atomic<std::uint64_t> processedSeq_{0};
    std::atomic<std::int64_t> renderedFrames_{0};
    std::atomic<std::uint64_t> lateEvents_{0};
    std::atomic<std::int64_t> lastStartRenderNs_{0};
    std::atomic<std::uint64_t> startsApplied_{0};
    // The time of the latest render call, of the first call of the current run of calls without a
    // pause, and the longest pause the current block allows.
    std::atomic<std::int64_t> lastRenderNs_{kAtOnce};
    std::atomic<std::int64_t> runningSinceNs_{kAtOnce};
    std::atomic<std::int64_t> allowedPauseNs_{kMaxCallbackPauseNs};
};

} // namespace tamboro
