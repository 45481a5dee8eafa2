#include "sound/NullAudioBackend.h"

#include "common/Error.h"
#include "sound/Mixer.h"
#include "sound/ThreadPriority.h"
#include "sound/WavCapture.h"

#include <chrono>

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
    block_.assign(2 * options_.bufferFrames, 0.0f);
    if (!options_.capturePath.empty()) {
        const std::size_t blocks = kCaptureRingSeconds * options_.sampleRate / options_.bufferFrames + 1;
        captureRing_ = std::make_unique<SpscQueue<CaptureBlock>>(blocks);
        scratch_ = std::make_unique<CaptureBlock>();
        drainBlock_ = std::make_unique<CaptureBlock>();
    }
    opened_ = true;
}

void NullAudioBackend::start(Mixer& mixer) {
    if (!opened_)
        open();
    running_.store(true);
    if (captureRing_)
        captureThread_ = std::thread([this] { captureLoop(); });
    renderThread_ = std::thread([this, &mixer] { renderLoop(mixer); });
}

void NullAudioBackend::renderLoop(Mixer& mixer) {
    applyThreadPriority(ThreadPriority::timeCritical);
    const double period = static_cast<double>(options_.bufferFrames) / options_.sampleRate;
    const auto periodNs = std::chrono::nanoseconds(static_cast<std::int64_t>(period * 1e9));
    Clock::time_point origin = Clock::now();
    std::uint64_t blockIndex = 0;
    CaptureBlock* capture = scratch_.get();
    while (running_.load(std::memory_order_acquire)) {
        // Absolute deadlines: block k is due at origin + k periods, computed from the origin each
        // time so rounding never accumulates.
        const auto deadline =
            origin + std::chrono::nanoseconds(static_cast<std::int64_t>(blockIndex * period * 1e9));
        std::this_thread::sleep_until(deadline);
        const auto now = Clock::now();
        if (now - deadline > periodNs) {
            lateBlocks_.fetch_add(1, std::memory_order_relaxed);
            // Far behind (the machine was suspended or starved for a second): start a new
            // schedule instead of rendering a burst of catch-up blocks.
            if (now - deadline > std::chrono::seconds(1)) {
                origin = now;
                blockIndex = 0;
            }
        }
        // The block's own due time is the device clock here: a late wake-up delays the render
        // but does not move the block in time, just as a sound card's clock would not move.
        mixer.render(block_.data(), options_.bufferFrames, nanos(deadline));
        if (capture) {
            capture->frames = options_.bufferFrames;
            floatToInt16(block_, std::span<std::int16_t>(capture->samples, 2 * options_.bufferFrames));
            if (!captureRing_->push(*capture))
                captureOverflows_.fetch_add(options_.bufferFrames, std::memory_order_relaxed);
        }
        ++blockIndex;
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
