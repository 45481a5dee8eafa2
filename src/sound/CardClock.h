#pragma once
// The mapping from the steady clock to the sound card's frame counter, kept by the audio thread.
//
// Each callback gives one observation: frame f was asked for at steady time t. A callback is never
// early, only late (the scheduler, a busy machine, a sound server batching its requests), so the
// card's own clock is the lower envelope of those observations. The clock keeps the earliest
// observation of every eighth of a second over the last 32 seconds, fits the lower convex hull of
// them (late callbacks lie above it and do not count, however long they last), and from it learns
// the card's rate against the steady clock and where its envelope lies.
//
// The mapping the mixer uses follows that fit without ever stepping: it runs at the learned rate,
// takes a new rate only when the fit shows a difference well above its own scatter, and moves its
// offset towards the envelope by at most kMaxSlewPpm (under half a frame per beat at 120 BPM). Only
// a real discontinuity re-anchors it at once, and each re-anchor is counted: an xrun or a restart
// the back-end reports, or a mapping so far behind the card that starts would miss their frames.
//
// update() and frameAt() run on the audio thread only; they never lock or allocate. The figures
// read from other threads are atomics.

#include <array>
#include <atomic>
#include <cstdint>

namespace tamboro {

class CardClock {
public:
    // Largest offset correction, in frames per million frames.
    static constexpr double kMaxSlewPpm = 20.0;
    // Largest rate difference between card and steady clock that is believed.
    static constexpr double kMaxSkewPpm = 5000.0;

    // Rates this far off are taken as soon as the fit shows them; smaller ones only once the
    // mapping has moved a third of the look-ahead from the envelope. A sound server's buffer that
    // slowly fills or drains looks like a small rate difference, and following it would move the
    // grid against the card for nothing.
    static constexpr double kPromptSkewPpm = 500.0;

    // `lookaheadFrames` bounds how far the mapping may lie from the card's envelope: half of it
    // behind (blocks rendered that much earlier than it says; starts would miss their frames) or
    // four times it ahead (latency) make a re-anchor; a third of it starts a slewed correction.
    CardClock(std::uint32_t rate, std::uint32_t lookaheadFrames);

    // Audio thread: the callback about to render `frames` frames from frame `frame` runs at
    // `nowNs` (steady clock).
    void update(std::int64_t frame, std::uint32_t frames, std::int64_t nowNs) noexcept;
    // Audio thread: the frame counter and the card parted (xrun, dropped blocks, restart); the
    // next update re-anchors.
    void noteDiscontinuity() noexcept { discontinuity_ = true; }

    // Audio thread: the (fractional) frame the mapping gives steady time `timeNs`; only after the
    // first update.
    bool valid() const noexcept { return valid_; }
    double frameAt(std::int64_t timeNs) const noexcept;

    // Any thread.
    std::uint64_t reanchors() const { return reanchors_.load(std::memory_order_relaxed); }
    // The rate difference the mapping runs at, card against steady clock (positive: card fast).
    double skewPpm() const { return skewPpm_.load(std::memory_order_relaxed); }
    // How much earlier than the mapping (after it settled) blocks have been asked for at most.
    std::int64_t maxEarlinessNs() const { return maxEarlinessNs_.load(std::memory_order_relaxed); }
    // Where the mapping lies against the card's envelope now (positive: behind it, using up
    // look-ahead; negative: ahead, adding latency).
    std::int64_t offsetNs() const { return offsetNs_.load(std::memory_order_relaxed); }

    // A line fitted to the lower envelope (public for the helpers that judge it).
    struct Line {
        double at0 = 0.0; // lateness at frame 0
        double slope = 0.0;
        double scatter = 0.0; // median distance of the points above it
        double span = 0.0;    // frames covered
        bool valid = false;
    };

private:
    static constexpr std::size_t kPoints = 256;
    struct Point {
        double frame = 0.0;
        double lateness = 0.0; // ns: callback time minus frame x nominal period, from origin
    };
    void anchor(double frame, double lateness) noexcept;
    void addPoint(const Point& p) noexcept;
    // The lower-envelope line of `count` points from the `skip`th oldest on.
    Line fit(std::size_t skip, std::size_t count) const noexcept;
    // The median slope between neighbouring points of the window (0 with fewer than two).
    double medianShortSlope() const noexcept;
    double mappedLateness(double frame) const noexcept { return offset_ + slope_ * (frame - offsetFrame_); }

    const double nsPerFrame_;
    const double earlyLimitNs_;
    const double lateLimitNs_;
    const double settleFrames_;
    const double segmentFrames_;
    const double minFitFrames_;
    const double offsetDeadbandNs_;
    // Callbacks later than the mapping by more than this (a quarter of the look-ahead, at least
    // 50 ms) for two seconds on end mean the output lost time: a re-anchor. Not the whole
    // look-ahead: a sound server's is long (0.2 s through PulseAudio), and a server that ran dry
    // for less than that would otherwise move the grid for good.
    const double gapNs_;
    const double rate_;
    int gapSegments_ = 0;

    bool valid_ = false;
    bool discontinuity_ = false;
    std::int64_t originNs_ = 0;
    // The applied mapping: lateness `offset_` at frame `offsetFrame_`, rising `slope_` ns per frame.
    double offset_ = 0.0;
    double offsetFrame_ = 0.0;
    double slope_ = 0.0;
    double settleEnd_ = 0.0;
    // The settling starts once a sound server's start-up burst is over: while it fills its buffer
    // it asks for blocks faster than it plays them, each callback earlier than all before. The
    // burst is over when no callback has come a millisecond earlier than the earliest for
    // kStartupBurstNs (a burst of any length must not pass for a fast card).
    double burstFloor_ = 0.0;
    std::int64_t burstQuietSinceNs_ = 0;
    bool settling_ = false;
    bool anchored_ = false;
    bool slewing_ = false;

    Point segmentMin_;
    double segmentEnd_ = 0.0;
    std::array<Point, kPoints> points_{};
    std::size_t pointCount_ = 0;
    std::size_t pointHead_ = 0; // index of the oldest point
    Line line_;
    double floorAt0_ = 0.0; // the envelope at the applied rate, as lateness at frame 0

    std::atomic<std::uint64_t> reanchors_{0};
    std::atomic<double> skewPpm_{0.0};
    std::atomic<std::int64_t> maxEarlinessNs_{0};
    std::atomic<std::int64_t> offsetNs_{0};
};

} // namespace tamboro
