#include "sound/NullAudioBackend.h"

#include "common/Error.h"
#include "sound/Mixer.h"
#include "sound/ThreadPriority.h"
#include "sound/WavCapture.h"

#include <chrono>
#include <cmath>
#include <random>

namespace tamboro {

namespace {
using Clock = std::chrono::steady_clock;
constexpr std::size_t kCaptureRingSeconds = 8;

std::int64_t nanos(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}
} // namespace

NullAudioBackend::NullAudioBackend(NullAudioOptions options) : options_(std::move(options)) {}

NullAudioBackend::~NullAudioBackend() {
    try {
        close();
    } catch (const Error&) {
        // The owner that cares about the recording calls close() itself.
    }
}

void NullAudioBackend::open() {
    if (options_.sampleRate < 1000 || options_.sampleRate > 384000)
        throw Error("The null sound device cannot run at " + std::to_string(options_.sampleRate) + " Hz");
    if (options_.bufferFrames == 0 || options_.bufferFrames > kMaxBlockFrames)
        throw Error("The null sound device takes buffers of 1 to " + std::to_string(kMaxBlockFrames) +
                    " frames");
    if (options_.minBlockFrames > options_.maxBlockFrames || options_.maxBlockFrames > kMaxBlockFrames ||
        (options_.maxBlockFrames > 0 && options_.minBlockFrames == 0))
        throw Error("The null sound device takes varying blocks of 1 to " + std::to_string(kMaxBlockFrames) +
                    " frames, the smallest first");
    if (!(std::abs(options_.skewPpm) <= 100000.0))
        throw Error("The null sound device's clock can be off by at most 100000 ppm");
    if (!(options_.lateMs >= 0 && options_.lateMs <= 10000 && options_.lateSeconds >= 0 &&
          options_.lateEverySeconds >= options_.lateSeconds))
        throw Error("The null sound device's late callbacks need 0 to 10000 ms, lasting no longer than "
                    "their period");
    if (!(options_.startStallMs >= 0 && options_.startStallMs <= kMaxStartStallMs))
        throw Error("The null sound device can be held back at its start for 0 to " +
                    std::to_string(static_cast<int>(kMaxStartStallMs)) + " ms");
    if (options_.inputDelayFrames > 10 * options_.sampleRate)
        throw Error("The null sound device's input can be delayed by at most 10 seconds");
    if (options_.loopback && (options_.input || options_.inputDelayFrames > kMaxLoopbackDelay))
        throw Error("The null sound device's loopback takes no input file and a delay of at most " +
                    std::to_string(kMaxLoopbackDelay) + " frames");
    block_.assign(2 * kMaxBlockFrames, 0.0f);
    inputBlock_.assign(kMaxBlockFrames, 0.0f);
    if (options_.loopback)
        history_.assign(kMaxLoopbackDelay + kMaxBlockFrames, 0.0f);
    if (!options_.capturePath.empty()) {
        const std::uint32_t smallest =
            options_.minBlockFrames ? options_.minBlockFrames : options_.bufferFrames;
        const std::size_t blocks = kCaptureRingSeconds * options_.sampleRate / smallest + 1;
        captureRing_ = std::make_unique<SpscQueue<CaptureBlock>>(blocks);
        scratch_ = std::make_unique<CaptureBlock>();
        drainBlock_ = std::make_unique<CaptureBlock>();
    }
    opened_ = true;
}

void NullAudioBackend::start(Mixer& mixer) {
    if (!opened_)
        open();
    inputStartKnown_ = false;
    running_.store(true);
    if (captureRing_)
        captureThread_ = std::thread([this] { captureLoop(); });
    renderThread_ = std::thread([this, &mixer] { renderLoop(mixer); });
}

double NullAudioBackend::plannedLateNs(double seconds) const {
    const double every = options_.lateEverySeconds;
    if (options_.lateMs <= 0 || every <= 0)
        return 0.0;
    return std::fmod(seconds, every) >= every - options_.lateSeconds ? options_.lateMs * 1e6 : 0.0;
}

void NullAudioBackend::record(CaptureBlock* capture, std::uint32_t frames) {
    if (!capture)
        return;
    capture->frames = frames;
    floatToInt16(std::span<const float>(block_.data(), 2 * frames),
                 std::span<std::int16_t>(capture->samples, 2 * frames));
    if (!captureRing_->push(*capture))
        captureOverflows_.fetch_add(frames, std::memory_order_relaxed);
}

void NullAudioBackend::fillInput(const Mixer& mixer, std::int64_t frame, std::uint32_t frames) {
    if (!inputStartKnown_) {
        // Until the start frame is reached it follows the clock mapping, as a voice's frame is
        // placed when its start arrives; silence before it.
        const std::int64_t start = options_.inputStartNs ? mixer.plannedFrame(*options_.inputStartNs) : 0;
        if (start < 0 || frame + frames <= start) {
            std::fill(inputBlock_.begin(), inputBlock_.begin() + frames, 0.0f);
            return;
        }
        inputStartFrame_ = start;
        inputStartKnown_ = true;
    }
    const std::vector<float>& input = *options_.input;
    const std::int64_t first = frame - inputStartFrame_ - options_.inputDelayFrames;
    for (std::uint32_t i = 0; i < frames; ++i) {
        const std::int64_t at = first + i;
        inputBlock_[i] = at >= 0 && at < static_cast<std::int64_t>(input.size())
                             ? input[static_cast<std::size_t>(at)]
                             : 0.0f;
    }
}

void NullAudioBackend::loopBack(Mixer& mixer, std::int64_t frame, std::uint32_t frames) {
    const auto size = static_cast<std::int64_t>(history_.size());
    for (std::uint32_t i = 0; i < frames; ++i)
        history_[static_cast<std::size_t>((frame + i) % size)] = block_[2 * i];
    for (std::uint32_t i = 0; i < frames; ++i) {
        const std::int64_t from = frame + i - options_.inputDelayFrames;
        inputBlock_[i] = from >= 0 ? history_[static_cast<std::size_t>(from % size)] : 0.0f;
    }
    mixer.captureInput(inputBlock_.data(), 1, frames, frame);
}

void NullAudioBackend::renderLoop(Mixer& mixer) {
    applyThreadPriority(ThreadPriority::timeCritical);
    // The card's own rate, in frames per steady-clock second.
    const double cardRate = options_.sampleRate * (1.0 + options_.skewPpm * 1e-6);
    const double nsPerFrame = 1e9 / cardRate;
    const std::uint32_t smallest = options_.minBlockFrames ? options_.minBlockFrames : options_.bufferFrames;
    const std::uint32_t largest = options_.maxBlockFrames ? options_.maxBlockFrames : options_.bufferFrames;
    std::minstd_rand sizes(1);
    std::uniform_int_distribution<std::uint32_t> blockSize(smallest, largest);
    Clock::time_point origin = Clock::now();
    std::uint64_t originFrame = 0; // card frame due at `origin`
    std::uint64_t cardFrame = 0;
    std::uint64_t blockIndex = 0;
    CaptureBlock* capture = scratch_.get();
    while (running_.load(std::memory_order_acquire)) {
        const std::uint32_t frames = blockSize(sizes);
        // Absolute deadlines: the block starting at card frame F is due at origin + (F - origin's
        // frame) card periods, computed from the origin each time so rounding never accumulates.
        const auto dueNs = static_cast<double>(cardFrame - originFrame) * nsPerFrame;
        const auto deadline = origin + std::chrono::nanoseconds(static_cast<std::int64_t>(dueNs));
        const auto late = std::chrono::nanoseconds(
            static_cast<std::int64_t>(plannedLateNs(static_cast<double>(cardFrame) / cardRate)));
        std::this_thread::sleep_until(deadline + late);
        const auto now = Clock::now();
        const auto periodNs = std::chrono::nanoseconds(static_cast<std::int64_t>(frames * nsPerFrame));
        if (now - (deadline + late) > periodNs) {
            lateBlocks_.fetch_add(1, std::memory_order_relaxed);
            // Far behind (the machine was suspended or starved for a second): start a new
            // schedule instead of rendering a burst of catch-up blocks, as a restarted stream.
            if (now - deadline > std::chrono::seconds(1)) {
                origin = now;
                originFrame = cardFrame;
                mixer.noteDiscontinuity();
                continue;
            }
        }
        ++blockIndex;
        if (options_.dropEvery > 0 && blockIndex % options_.dropEvery == 0) {
            // A lost block: the card plays silence and its clock runs on without the mixer.
            lateBlocks_.fetch_add(1, std::memory_order_relaxed);
            std::fill(block_.begin(), block_.begin() + 2 * frames, 0.0f);
            record(capture, frames);
            mixer.noteDiscontinuity();
            cardFrame += frames;
            continue;
        }
        // The block's own due time (plus the lateness asked for) is the callback time here: a
        // late wake-up delays the render but does not move the block in time, just as a sound
        // card's clock would not move.
        if (options_.input) {
            fillInput(mixer, mixer.nextFrame(), frames);
            mixer.render(block_.data(), inputBlock_.data(), 1, frames, nanos(deadline + late));
        } else if (options_.loopback) {
            const std::int64_t frame = mixer.nextFrame();
            mixer.render(block_.data(), frames, nanos(deadline + late));
            loopBack(mixer, frame, frames);
        } else {
            mixer.render(block_.data(), frames, nanos(deadline + late));
        }
        record(capture, frames);
        cardFrame += frames;
        if (blockIndex == 1 && options_.startStallMs > 0) // the card's clock starts only now
            origin += std::chrono::nanoseconds(static_cast<std::int64_t>(options_.startStallMs * 1e6));
    }
}

void NullAudioBackend::drainCapture() {
    while (captureRing_->pop(*drainBlock_))
        recorded_.insert(recorded_.end(), drainBlock_->samples,
                         drainBlock_->samples + 2 * drainBlock_->frames);
}

void NullAudioBackend::captureLoop() {
    while (running_.load(std::memory_order_acquire)) {
        drainCapture();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void NullAudioBackend::close() {
    if (!opened_)
        return;
    running_.store(false, std::memory_order_release);
    if (renderThread_.joinable())
        renderThread_.join();
    if (captureThread_.joinable())
        captureThread_.join();
    opened_ = false;
    if (!captureRing_)
        return;
    drainCapture();
    captureRing_.reset();
    const auto samples = std::move(recorded_);
    recorded_.clear();
    writeWav16(options_.capturePath, 2, options_.sampleRate, samples);
    if (captureOverflows_.load() > 0)
        throw Error("The recording lost " + std::to_string(captureOverflows_.load()) +
                    " frames: the machine was too busy to keep it");
}

} // namespace tamboro
