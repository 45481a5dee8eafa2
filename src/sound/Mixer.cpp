#include "sound/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tamboro {

namespace {

constexpr int kMaxPendingEvents = 4;

template <int Bits> inline float readSample(const std::uint8_t* p) {
    if constexpr (Bits == 8)
        return (static_cast<float>(p[0]) - 128.0f) * (1.0f / 128.0f);
    else
        return static_cast<float>(static_cast<std::int16_t>(p[0] | (p[1] << 8))) * (1.0f / 32768.0f);
}

} // namespace

struct Mixer::Event {
    enum class Kind : std::uint8_t { Start, Stop };
    Kind kind = Kind::Stop;
    bool looping = false;
    std::int64_t frame = 0;
    double position = 0.0;
    double step = 1.0;
    float gainLeft = 1.0f;
    float gainRight = 1.0f;
};

struct Mixer::Slot {
    // Audio-thread state.
    const SampleData* data = nullptr;
    double pos = 0.0;
    double step = 1.0;
    float gainLeft = 1.0f;
    float gainRight = 1.0f;
    bool playing = false;
    bool looping = false;
    Event pending[kMaxPendingEvents];
    int pendingCount = 0;

    // Published for the window thread.
    std::atomic<std::uint32_t> status{0};
    std::atomic<std::int64_t> position{0};

    template <int Bits, int Channels> void mix(float* out, std::uint32_t from, std::uint32_t to) noexcept {
        const std::uint8_t* bytes = data->bytes();
        const std::size_t n = data->frames();
        constexpr std::size_t frameBytes = Channels * (Bits / 8);
        constexpr std::size_t sampleBytes = Bits / 8;
        for (std::uint32_t i = from; i < to && playing; ++i) {
            const auto idx = static_cast<std::size_t>(pos);
            const auto frac = static_cast<float>(pos - static_cast<double>(idx));
            const std::uint8_t* a = bytes + idx * frameBytes;
            const std::uint8_t* b = nullptr;
            if (idx + 1 < n)
                b = a + frameBytes;
            else if (looping)
                b = bytes;
            float left = readSample<Bits>(a);
            float nextLeft = b ? readSample<Bits>(b) : 0.0f;
            left += (nextLeft - left) * frac;
            float right = left;
            if constexpr (Channels == 2) {
                right = readSample<Bits>(a + sampleBytes);
                const float nextRight = b ? readSample<Bits>(b + sampleBytes) : 0.0f;
                right += (nextRight - right) * frac;
            }
            out[2 * i] += left * gainLeft;
            out[2 * i + 1] += right * gainRight;
            pos += step;
            if (pos >= static_cast<double>(n)) {
                if (looping) {
                    pos = std::fmod(pos, static_cast<double>(n));
                } else {
                    pos = static_cast<double>(n);
                    playing = false;
                }
            }
        }
    }

    void mixSpan(float* out, std::uint32_t from, std::uint32_t to) noexcept {
        if (!playing || from >= to || !data)
            return;
        if (data->frames() == 0) {
            playing = false;
            return;
        }
        const auto& f = data->format();
        if (f.bitsPerSample == 8)
            f.channels == 1 ? mix<8, 1>(out, from, to) : mix<8, 2>(out, from, to);
        else
            f.channels == 1 ? mix<16, 1>(out, from, to) : mix<16, 2>(out, from, to);
    }

    void publish() noexcept {
        bool sounding = playing;
        bool loops = playing && looping;
        for (int i = 0; i < pendingCount; ++i) {
            if (pending[i].kind == Event::Kind::Start) {
                sounding = true;
                loops = pending[i].looping;
            } else {
                sounding = false;
                loops = false;
            }
        }
        status.store((sounding ? kStatusPlaying : 0u) | (loops ? kStatusLooping : 0u),
                     std::memory_order_release);
        position.store(static_cast<std::int64_t>(pos), std::memory_order_release);
    }
};

Mixer::Mixer(std::uint32_t outputRate, std::uint32_t slotCount, std::uint32_t lookaheadFrames,
             std::size_t queueCapacity)
    : rate_(outputRate), slotCount_(slotCount), lookahead_(lookaheadFrames), queue_(queueCapacity),
      slots_(std::make_unique<Slot[]>(slotCount)), clock_(outputRate, lookaheadFrames) {}

Mixer::~Mixer() = default;

std::uint32_t Mixer::status(std::uint32_t slot) const {
    return slot < slotCount_ ? slots_[slot].status.load(std::memory_order_acquire) : 0u;
}

std::int64_t Mixer::position(std::uint32_t slot) const {
    return slot < slotCount_ ? slots_[slot].position.load(std::memory_order_acquire) : 0;
}

std::int64_t Mixer::frameOfTime(std::int64_t timeNs, std::int64_t blockStart) noexcept {
    if (timeNs == kAtOnce || !clock_.valid())
        return blockStart;
    const std::int64_t frame = std::llround(clock_.frameAt(timeNs)) + lookahead_;
    if (frame < blockStart) {
        // Too late for its frame (the tick was held up): it starts at once, and the mapping stays
        // where it is so the following starts are back on the grid.
        lateEvents_.fetch_add(1, std::memory_order_relaxed);
        return blockStart;
    }
    return frame;
}

void Mixer::queueEvent(Slot& slot, const Event& event) noexcept {
    Event e = event;
    // Events of one slot apply in the order they were posted: a later command never takes effect
    // before an earlier one, whatever its planned time.
    if (slot.pendingCount > 0)
        e.frame = std::max(e.frame, slot.pending[slot.pendingCount - 1].frame);
    if (slot.pendingCount == kMaxPendingEvents) {
        // Only a burst of commands faster than the look-ahead gets here: apply the oldest now.
        runEvent(slot, slot.pending[0], 0);
        std::move(slot.pending + 1, slot.pending + slot.pendingCount, slot.pending);
        --slot.pendingCount;
    }
    slot.pending[slot.pendingCount++] = e;
}

void Mixer::runEvent(Slot& slot, const Event& event, std::int64_t nowNs) noexcept {
    if (event.kind == Event::Kind::Stop) {
        slot.playing = false;
        return;
    }
    slot.pos = event.position;
    slot.step = event.step;
    slot.gainLeft = event.gainLeft;
    slot.gainRight = event.gainRight;
    slot.looping = event.looping;
    slot.playing = slot.data && slot.pos < static_cast<double>(slot.data->frames());
    if (nowNs != 0)
        lastStartRenderNs_.store(nowNs, std::memory_order_release);
    startsApplied_.fetch_add(1, std::memory_order_acq_rel);
}

bool Mixer::runningFor(std::int64_t spanNs, std::int64_t nowNs) const noexcept {
    const std::int64_t last = lastRenderNs_.load(std::memory_order_acquire);
    const std::int64_t since = runningSinceNs_.load(std::memory_order_relaxed);
    return last != kAtOnce && since != kAtOnce &&
           nowNs - last <= allowedPauseNs_.load(std::memory_order_relaxed) && last - since >= spanNs;
}

std::int64_t Mixer::plannedFrame(std::int64_t timeNs) const noexcept {
    return clock_.valid() ? std::llround(clock_.frameAt(timeNs)) + lookahead_ : -1;
}

void Mixer::cancelStarts(std::int64_t timeNs, std::int64_t blockStart) noexcept {
    const std::int64_t planned = timeNs == kAtOnce ? -1 : plannedFrame(timeNs);
    const std::int64_t from = planned < 0 ? blockStart : planned;
    for (std::uint32_t i = 0; i < slotCount_; ++i) {
        Slot& slot = slots_[i];
        if (slot.pendingCount == 0)
            continue;
        int kept = 0;
        for (int e = 0; e < slot.pendingCount; ++e)
            if (slot.pending[e].kind != Event::Kind::Start || slot.pending[e].frame < from)
                slot.pending[kept++] = slot.pending[e];
        slot.pendingCount = kept;
        slot.publish();
    }
}

void Mixer::apply(const MixerCommand& c, std::int64_t blockStart) noexcept {
    if (c.kind == MixerCommand::Kind::Cancel) {
        cancelStarts(c.timeNs, blockStart);
        return;
    }
    if (c.kind == MixerCommand::Kind::Mark) {
        // Exactly where a Start planned at the same time would land, even if that frame has
        // passed (a late start would be moved; the step it marks has not).
        if (input_) {
            const std::int64_t frame = c.timeNs == kAtOnce ? -1 : plannedFrame(c.timeNs);
            input_->pushMark({c.slot, frame < 0 ? blockStart : frame});
        }
        return;
    }
    if (c.slot >= slotCount_)
        return;
    Slot& slot = slots_[c.slot];
    switch (c.kind) {
    case MixerCommand::Kind::Attach:
    case MixerCommand::Kind::Detach:
        slot.data = c.kind == MixerCommand::Kind::Attach ? c.data : nullptr;
        slot.pos = 0.0;
        slot.playing = false;
        slot.looping = false;
        slot.pendingCount = 0;
        break;
    case MixerCommand::Kind::Start:
    case MixerCommand::Kind::Stop: {
        Event e;
        e.kind = c.kind == MixerCommand::Kind::Start ? Event::Kind::Start : Event::Kind::Stop;
        e.looping = c.looping;
        e.frame = frameOfTime(c.timeNs, blockStart);
        e.position = std::max(0.0, c.position);
        e.step = c.step;
        e.gainLeft = c.gainLeft;
        e.gainRight = c.gainRight;
        queueEvent(slot, e);
        break;
    }
    case MixerCommand::Kind::SetPosition:
        slot.pos = std::max(0.0, c.position);
        if (slot.data && slot.pos >= static_cast<double>(slot.data->frames()))
            slot.pos = static_cast<double>(slot.data->frames());
        break;
    case MixerCommand::Kind::SetStep:
        slot.step = c.step;
        break;
    case MixerCommand::Kind::SetGains:
        slot.gainLeft = c.gainLeft;
        slot.gainRight = c.gainRight;
        break;
    case MixerCommand::Kind::Mark:
    case MixerCommand::Kind::Cancel:
        break;
    }
    slot.publish();
}

void Mixer::mixSlot(Slot& slot, float* out, std::uint32_t frames, std::int64_t blockStart,
                    std::int64_t nowNs) noexcept {
    std::uint32_t cursor = 0;
    while (slot.pendingCount > 0 && slot.pending[0].frame < blockStart + frames) {
        const auto at =
            static_cast<std::uint32_t>(std::max<std::int64_t>(slot.pending[0].frame - blockStart, cursor));
        slot.mixSpan(out, cursor, at);
        runEvent(slot, slot.pending[0], nowNs);
        std::move(slot.pending + 1, slot.pending + slot.pendingCount, slot.pending);
        --slot.pendingCount;
        cursor = at;
    }
    slot.mixSpan(out, cursor, frames);
}

void Mixer::render(float* out, const float* input, std::uint32_t inputChannels, std::uint32_t frames,
                   std::int64_t nowNs) noexcept {
    clock_.update(frameCounter_, frames, nowNs);
    const std::int64_t pause = std::max<std::int64_t>(kMaxCallbackPauseNs, 4'000'000'000LL * frames / rate_);
    const std::int64_t last = lastRenderNs_.load(std::memory_order_relaxed);
    if (last == kAtOnce || nowNs - last > pause)
        runningSinceNs_.store(nowNs, std::memory_order_relaxed);
    allowedPauseNs_.store(pause, std::memory_order_relaxed);
    lastRenderNs_.store(nowNs, std::memory_order_release);
    const std::int64_t blockStart = frameCounter_;
    if (input_ && input)
        input_->push(input, inputChannels, frames, blockStart);

    MixerCommand command;
    std::uint64_t lastSeq = processedSeq_.load(std::memory_order_relaxed);
    while (queue_.pop(command)) {
        apply(command, blockStart);
        lastSeq = std::max(lastSeq, command.seq);
    }

    std::memset(out, 0, sizeof(float) * 2 * frames);
    for (std::uint32_t i = 0; i < slotCount_; ++i) {
        Slot& slot = slots_[i];
        if (!slot.data || (!slot.playing && slot.pendingCount == 0))
            continue;
        mixSlot(slot, out, frames, blockStart, nowNs);
        slot.publish();
    }
    for (std::uint32_t i = 0; i < 2 * frames; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);

    frameCounter_ += frames;
    renderedFrames_.store(frameCounter_, std::memory_order_release);
    // Publishing the sequence number last tells the window side that every Detach up to it has
    // been applied, so the sample memory those slots pointed at may now be released.
    processedSeq_.store(lastSeq, std::memory_order_release);
}

} // namespace tamboro
