#pragma once
// The null device: no sound card, just a thread that renders one buffer per buffer period against
// an absolute schedule of the steady clock (so it keeps real-time pace and never drifts), and can
// record what it played to a WAV file. Used by tests, benchmarks, CI and machines without sound.
//
// For tests it can also misbehave as real devices do: a crystal off the system clock, callbacks
// held up in bursts (a busy machine, a sound server), block sizes that change from call to call,
// and blocks lost by the output (an xrun: the card plays silence, the mixer is told).

#include "sound/AudioBackend.h"
#include "sound/SpscQueue.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace tamboro {

struct NullAudioOptions {
    std::uint32_t sampleRate = 44100;
    std::uint32_t bufferFrames = 256;  // at most kMaxBlockFrames
    std::filesystem::path capturePath; // empty: no recording

    // Test options. The card runs this many millionths faster (negative: slower) than the steady
    // clock.
    double skewPpm = 0.0;
    // Callbacks come `lateMs` late during the last `lateSeconds` of every `lateEverySeconds` (card
    // time); 0 = never.
    double lateMs = 0.0;
    double lateSeconds = 0.0;
    double lateEverySeconds = 0.0;
    // Each block holds between these many frames (chosen by a fixed pseudo-random sequence);
    // 0 = always bufferFrames.
    std::uint32_t minBlockFrames = 0;
    std::uint32_t maxBlockFrames = 0;
    // Every Nth block is lost: the card plays silence for it; 0 = none.
    std::uint32_t dropEvery = 0;
    // After the first block the card is held back this long, then runs on from there (a sound
    // server waiting for a duplex stream's first input fragment); at most kMaxStartStallMs.
    double startStallMs = 0.0;

    // The input: mono samples at `sampleRate` (read and converted before the device opens), heard
    // as a loopback: sample i arrives with output frame inputStart + inputDelayFrames + i, where
    // inputStart is frame 0 or, with inputStartNs, the output frame on which a start planned at
    // that steady-clock time lands (a player who starts playing along then). Silence before and
    // after. Null: the device has no input.
    std::shared_ptr<const std::vector<float>> input;
    std::optional<std::int64_t> inputStartNs;
    // The round trip of a real card's output to its input, in frames.
    std::uint32_t inputDelayFrames = 0;
    // The input is the device's own output (the left channel) `inputDelayFrames` later, as a cable
    // from the output to the input; at most kMaxLoopbackDelay frames. Not with `input`.
    bool loopback = false;
};

class NullAudioBackend : public AudioBackend {
public:
    static constexpr std::uint32_t kMaxBlockFrames = 1024;
    static constexpr std::uint32_t kMaxLoopbackDelay = 44100;
    static constexpr double kMaxStartStallMs = 5000.0;

    explicit NullAudioBackend(NullAudioOptions options = {});
    ~NullAudioBackend() override;

    void open() override;
    void start(Mixer& mixer) override;
    // Writes the recording (atomically) when one was asked for.
    void close() override;

    std::uint32_t sampleRate() const override { return options_.sampleRate; }
    std::uint32_t bufferFrames() const override {
        return options_.maxBlockFrames ? options_.maxBlockFrames : options_.bufferFrames;
    }
    // Two buffers (one being rendered, one of margin) and 2 ms more, so a tick held up by a busy
    // machine still reaches its frame; the first hit of a Play still leaves within 15 ms.
    std::uint32_t suggestedLookahead() const override {
        return 2 * bufferFrames() + options_.sampleRate / 500;
    }
    // Blocks rendered more than one buffer period after their deadline (beyond the lateness asked
    // for), and blocks dropped on purpose: where a sound card would have run dry.
    std::uint64_t underruns() const override { return lateBlocks_.load(std::memory_order_relaxed); }
    std::string name() const override { return "null"; }
    std::uint32_t inputChannels() const override { return options_.input || options_.loopback ? 1 : 0; }

    // Frames lost because the recorder thread fell more than the ring's length behind.
    std::uint64_t captureOverflows() const { return captureOverflows_.load(std::memory_order_relaxed); }

private:
    struct CaptureBlock {
        std::uint32_t frames = 0;
        std::int16_t samples[2 * kMaxBlockFrames];
    };

    void renderLoop(Mixer& mixer);
    void record(CaptureBlock* capture, std::uint32_t frames);
    // Audio thread: fills inputBlock_ with the input heard during the block from `frame` on.
    void fillInput(const Mixer& mixer, std::int64_t frame, std::uint32_t frames);
    // Audio thread: keeps the block just rendered and hands the looped-back input to the mixer.
    void loopBack(Mixer& mixer, std::int64_t frame, std::uint32_t frames);
    // Steady-clock lateness asked for at card time `seconds`.
    double plannedLateNs(double seconds) const;
    void captureLoop();
    void drainCapture();

    NullAudioOptions options_;
    std::vector<float> block_;
    std::vector<float> inputBlock_;
    std::vector<float> history_;       // the output's left channel, a ring of kMaxLoopbackDelay + a block
    std::int64_t inputStartFrame_ = 0; // audio thread
    bool inputStartKnown_ = false;     // audio thread
    std::unique_ptr<SpscQueue<CaptureBlock>> captureRing_;
    std::unique_ptr<CaptureBlock> scratch_;    // filled by the audio thread
    std::unique_ptr<CaptureBlock> drainBlock_; // emptied by the recorder thread
    std::vector<std::int16_t> recorded_;
    std::atomic<bool> running_{false};
    std::thread renderThread_;
    std::thread captureThread_;
    std::atomic<std::uint64_t> lateBlocks_{0};
    std::atomic<std::uint64_t> captureOverflows_{0};
    bool opened_ = false;
};

} // namespace tamboro
