#pragma once
// The sound card's input, recorded while the mixer plays: the audio thread hands each input block,
// stamped with the mixer's output frame it arrived with, to a recorder thread through a lock-free
// ring; the recorder mixes it to mono and keeps it in memory for analysis. Step marks (the output
// frame the mixer gives a planned step time, exactly as it would place a voice started then) go
// through a second ring, so a take's notes and the steps they are measured against share one clock.
//
// push and pushMark run on the audio thread and never lock, allocate, free or touch files. start,
// stop and take run on one other thread.

#include "sound/SpscQueue.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace tamboro {

// The step with id `id` starts at output frame `frame`; the id kOriginMark marks where the take
// begins (the time a player starts playing along: a song render's frame 0).
inline constexpr std::uint32_t kOriginMark = 0xffffffffu;
struct StepMark {
    std::uint32_t id = 0;
    std::int64_t frame = 0;
};

// What a recording holds: mono samples (the mean of the input channels) of consecutive output
// frames from `firstFrame` on, at `rate`, and the step marks in arrival order.
struct InputTake {
    std::uint32_t rate = 0;
    std::int64_t firstFrame = 0;
    std::vector<float> samples;
    std::vector<StepMark> marks;
    std::uint64_t lostFrames = 0; // frames the recorder fell too far behind to keep
};

class InputCapture {
public:
    static constexpr std::uint32_t kBlockFrames = 256; // longer input blocks are split
    static constexpr std::uint32_t kMaxChannels = 2;   // more input channels: the first two count

    // Room for `ringSeconds` of input at `rate` before the recorder must have caught up.
    InputCapture(std::uint32_t rate, double ringSeconds = 4.0);
    ~InputCapture();
    InputCapture(const InputCapture&) = delete;
    InputCapture& operator=(const InputCapture&) = delete;

    // Audio thread: `frames` interleaved frames of `channels` channels, the first of which arrived
    // with output frame `outputFrame`.
    void push(const float* input, std::uint32_t channels, std::uint32_t frames,
              std::int64_t outputFrame) noexcept;
    void pushMark(const StepMark& mark) noexcept;

    // Starts and stops the recorder thread; stop drains what is left. Both may be called again.
    void start();
    void stop();
    // After stop: the recording so far (moved out; the capture starts empty again). With an origin
    // mark it starts at the marked frame (earlier frames dropped, missing ones silent) and the
    // origin mark is not among its marks.
    InputTake take();

    std::uint32_t rate() const { return rate_; }

private:
    struct Block {
        std::int64_t outputFrame = 0;
        std::uint32_t frames = 0;
        float mono[kBlockFrames];
    };
    void drain();

    const std::uint32_t rate_;
    SpscQueue<Block> blocks_;
    SpscQueue<StepMark> marks_;
    std::unique_ptr<Block> scratch_; // filled by the audio thread
    std::unique_ptr<Block> drained_; // emptied by the recorder
    InputTake take_;
    bool haveFrames_ = false;
    std::atomic<std::uint64_t> overflows_{0};
    std::atomic<bool> running_{false};
    std::thread recorder_;
};

} // namespace tamboro
