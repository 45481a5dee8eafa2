#include "sound/InputCapture.h"

#include <algorithm>
#include <chrono>

namespace tamboro {

namespace {
// The ring is sized for blocks no smaller than this; smaller ones fill it sooner.
constexpr std::uint32_t kSmallestBlock = 64;
constexpr std::size_t kMarkCapacity = 4096;
} // namespace

InputCapture::InputCapture(std::uint32_t rate, double ringSeconds)
    : rate_(rate), blocks_(static_cast<std::size_t>(ringSeconds * rate / kSmallestBlock) + 1),
      marks_(kMarkCapacity), scratch_(std::make_unique<Block>()), drained_(std::make_unique<Block>()) {
    take_.rate = rate;
}

InputCapture::~InputCapture() {
    stop();
}

void InputCapture::push(const float* input, std::uint32_t channels, std::uint32_t frames,
                        std::int64_t outputFrame) noexcept {
    if (!input || channels == 0)
        return;
    const std::uint32_t used = std::min(channels, kMaxChannels);
    const float scale = 1.0f / static_cast<float>(used);
    for (std::uint32_t from = 0; from < frames; from += kBlockFrames) {
        Block& block = *scratch_;
        block.outputFrame = outputFrame + from;
        block.frames = std::min(kBlockFrames, frames - from);
        for (std::uint32_t i = 0; i < block.frames; ++i) {
            const float* frame = input + static_cast<std::size_t>(from + i) * channels;
            float sum = 0.0f;
            for (std::uint32_t c = 0; c < used; ++c)
                sum += frame[c];
            block.mono[i] = sum * scale;
        }
        if (!blocks_.push(block))
            overflows_.fetch_add(block.frames, std::memory_order_relaxed);
    }
}

void InputCapture::pushMark(const StepMark& mark) noexcept {
    marks_.push(mark); // the ring holds far more marks than a recorder period can bring
}

void InputCapture::drain() {
    StepMark mark;
    while (marks_.pop(mark))
        take_.marks.push_back(mark);
    while (blocks_.pop(*drained_)) {
        const Block& block = *drained_;
        if (!haveFrames_) {
            take_.firstFrame = block.outputFrame;
            haveFrames_ = true;
        }
        // Frames lost to a full ring (or never delivered) are silence in the take, so every later
        // sample stays at its own output frame.
        const std::int64_t expected = take_.firstFrame + static_cast<std::int64_t>(take_.samples.size());
        if (block.outputFrame > expected)
            take_.samples.resize(
                take_.samples.size() + static_cast<std::size_t>(block.outputFrame - expected), 0.0f);
        else if (block.outputFrame < expected)
            continue; // a repeated frame range: the first delivery stands
        take_.samples.insert(take_.samples.end(), block.mono, block.mono + block.frames);
    }
}

void InputCapture::start() {
    if (running_.exchange(true))
        return;
    recorder_ = std::thread([this] {
        while (running_.load(std::memory_order_acquire)) {
            drain();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
}

void InputCapture::stop() {
    running_.store(false, std::memory_order_release);
    if (recorder_.joinable())
        recorder_.join();
    drain();
}

InputTake InputCapture::take() {
    InputTake result = std::move(take_);
    const auto origin = std::find_if(result.marks.begin(), result.marks.end(),
                                     [](const StepMark& m) { return m.id == kOriginMark; });
    if (origin != result.marks.end()) {
        const std::int64_t skip = origin->frame - result.firstFrame;
        if (skip >= static_cast<std::int64_t>(result.samples.size()))
            result.samples.clear();
        else if (skip > 0)
            result.samples.erase(result.samples.begin(), result.samples.begin() + skip);
        else
            result.samples.insert(result.samples.begin(), static_cast<std::size_t>(-skip), 0.0f);
        result.firstFrame = origin->frame;
        result.marks.erase(origin);
    }
    result.lostFrames = overflows_.exchange(0);
    take_ = InputTake{};
    take_.rate = rate_;
    haveFrames_ = false;
    return result;
}

} // namespace tamboro
