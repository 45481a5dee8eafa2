#include "sound/CardClock.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tamboro {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// A rate is taken only when the fit moves the envelope this much more than its own scatter over
// the span it covers: a sound server's batched wake-ups must not pass for a rate difference.
constexpr double kRateEvidenceNs = 200'000.0;
constexpr std::int64_t kStartupBurstNs = 100'000'000;
constexpr double kBurstStepNs = 1e6;
// Every callback this long later than the mapping by more than the gap limit: the output lost time.
constexpr double kGapSeconds = 2.0;
// How far the median of the short slopes may lie from a true rate: each eighth of a second's
// earliest callback scatters by a few tens of microseconds, and the median of a window's
// hundreds of them is that much closer.
constexpr double kShortSlopeNoisePpm = 100.0;

// Whether a part of the window shows the rate `slope` too, within its own scatter.
bool agrees(const CardClock::Line& part, double slope) noexcept {
    return part.valid && std::abs(part.slope - slope) * part.span < kRateEvidenceNs / 2 + 2.0 * part.scatter;
}

} // namespace

CardClock::CardClock(std::uint32_t rate, std::uint32_t lookaheadFrames)
    : nsPerFrame_(1e9 / rate), earlyLimitNs_((lookaheadFrames / 2 + 1) * 1e9 / rate),
      lateLimitNs_(4.0 * lookaheadFrames * 1e9 / rate), settleFrames_(rate / 4.0), segmentFrames_(rate / 8.0),
      minFitFrames_(rate / 2.0), offsetDeadbandNs_(lookaheadFrames / 3.0 * 1e9 / rate),
      gapNs_(std::max(lookaheadFrames / 4.0 * 1e9 / rate, 50e6)), rate_(rate) {}

void CardClock::anchor(double frame, double lateness) noexcept {
    anchored_ = true;
    offset_ = lateness;
    offsetFrame_ = frame;
    settleEnd_ = frame + settleFrames_;
    settling_ = true;
    slewing_ = false;
    gapSegments_ = 0;
    pointCount_ = 0;
    pointHead_ = 0;
    line_ = Line{};
    segmentMin_ = Point{frame, lateness};
    segmentEnd_ = frame + segmentFrames_;
}

void CardClock::addPoint(const Point& p) noexcept {
    if (pointCount_ < kPoints) {
        points_[(pointHead_ + pointCount_) % kPoints] = p;
        ++pointCount_;
    } else {
        points_[pointHead_] = p;
        pointHead_ = (pointHead_ + 1) % kPoints;
    }
}

CardClock::Line CardClock::fit(std::size_t skip, std::size_t count) const noexcept {
    Line line;
    if (count < 2)
        return line;
    // Lower convex hull of the points, oldest first (their frames only grow).
    std::array<Point, kPoints> hull;
    std::size_t h = 0;
    double meanFrame = 0.0;
    const std::size_t first = pointHead_ + skip;
    for (std::size_t i = 0; i < count; ++i) {
        const Point& p = points_[(first + i) % kPoints];
        meanFrame += p.frame;
        while (h >= 2) {
            const Point& o = hull[h - 2];
            const Point& a = hull[h - 1];
            const double cross = (a.frame - o.frame) * (p.lateness - o.lateness) -
                                 (a.lateness - o.lateness) * (p.frame - o.frame);
            if (cross > 0.0)
                break;
            --h;
        }
        hull[h++] = p;
    }
    meanFrame /= static_cast<double>(count);
    // The hull edge over the mean frame is the line under every point with the least summed
    // distance to them.
    std::size_t e = 0;
    while (e + 2 < h && hull[e + 1].frame < meanFrame)
        ++e;
    const Point& a = hull[e];
    const Point& b = hull[e + 1];
    line.slope = (b.lateness - a.lateness) / (b.frame - a.frame);
    line.at0 = a.lateness - line.slope * a.frame;
    line.span = points_[(first + count - 1) % kPoints].frame - points_[first % kPoints].frame;
    std::array<double, kPoints> above;
    for (std::size_t i = 0; i < count; ++i) {
        const Point& p = points_[(first + i) % kPoints];
        above[i] = p.lateness - (line.at0 + line.slope * p.frame);
    }
    auto middle = above.begin() + static_cast<std::ptrdiff_t>(count / 2);
    std::nth_element(above.begin(), middle, above.begin() + static_cast<std::ptrdiff_t>(count));
    line.scatter = *middle;
    line.valid = true;
    return line;
}

double CardClock::medianShortSlope() const noexcept {
    std::array<double, kPoints> slopes;
    std::size_t n = 0;
    for (std::size_t i = 1; i < pointCount_; ++i) {
        const Point& a = points_[(pointHead_ + i - 1) % kPoints];
        const Point& b = points_[(pointHead_ + i) % kPoints];
        if (b.frame > a.frame)
            slopes[n++] = (b.lateness - a.lateness) / (b.frame - a.frame);
    }
    if (n == 0)
        return 0.0;
    auto middle = slopes.begin() + static_cast<std::ptrdiff_t>(n / 2);
    std::nth_element(slopes.begin(), middle, slopes.begin() + static_cast<std::ptrdiff_t>(n));
    return *middle;
}

void CardClock::update(std::int64_t frameCount, std::uint32_t frames, std::int64_t nowNs) noexcept {
    const auto frame = static_cast<double>(frameCount);
    if (!valid_) {
        originNs_ = nowNs;
        valid_ = true;
        burstFloor_ = -frame * nsPerFrame_;
        burstQuietSinceNs_ = nowNs;
        settling_ = false;
        offset_ = -frame * nsPerFrame_;
        offsetFrame_ = frame;
        return;
    }
    // Lateness: how much later than frame x nominal period this callback came.
    const double lateness = static_cast<double>(nowNs - originNs_) - frame * nsPerFrame_;
    if (discontinuity_) {
        discontinuity_ = false;
        anchor(frame, lateness);
        reanchors_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    if (!anchored_) {
        // Before the settling starts the earliest callback holds the mapping; the settling
        // starts afresh, without the start-up burst.
        offset_ = std::min(offset_, lateness);
        offsetFrame_ = frame;
        if (lateness < burstFloor_ - kBurstStepNs) {
            burstFloor_ = lateness;
            burstQuietSinceNs_ = nowNs;
        }
        if (nowNs >= burstQuietSinceNs_ + kStartupBurstNs)
            anchor(frame, lateness);
        return;
    }
    offset_ = mappedLateness(frame);
    offsetFrame_ = frame;

    if (lateness < segmentMin_.lateness)
        segmentMin_ = Point{frame, lateness};
    const bool segmentDone = frame + frames >= segmentEnd_;
    if (segmentDone) {
        addPoint(segmentMin_);
        // A sound server that ran out of our sound plays everything after it later: from then on
        // no callback comes near the old envelope again. Late wake-ups of our own thread come
        // in bursts (a scheduler period, a busy moment); two whole seconds beyond the limit are
        // such a gap.
        const double above = segmentMin_.lateness - mappedLateness(segmentMin_.frame);
        gapSegments_ = above > gapNs_ ? gapSegments_ + 1 : 0;
        segmentMin_ = Point{0.0, kInfinity};
        segmentEnd_ += segmentFrames_;
        if (segmentEnd_ <= frame + frames)
            segmentEnd_ = frame + frames + segmentFrames_;
    }

    if (!settling_ && gapSegments_ * segmentFrames_ >= kGapSeconds * rate_) {
        anchor(frame, lateness);
        reanchors_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    if (settling_ && frame >= settleEnd_)
        settling_ = false;
    if (settling_) {
        // While the stream settles the earliest callback wins: the one least disturbed by
        // scheduling delays and start-up bursts.
        offset_ = std::min(offset_, lateness);
        return;
    }
    const double earliness = offset_ - lateness;
    if (earliness > static_cast<double>(maxEarlinessNs_.load(std::memory_order_relaxed)))
        maxEarlinessNs_.store(static_cast<std::int64_t>(earliness), std::memory_order_relaxed);

    if (segmentDone) {
        line_ = fit(0, pointCount_);
        if (line_.valid && line_.span >= minFitFrames_) {
            const double evidence = std::abs(line_.slope - slope_) * line_.span - 2.0 * line_.scatter;
            // Callbacks held up over the newest part of a short window tilt its envelope, and so
            // does a step anywhere in it (a sound server that ran dry plays everything after
            // later): the hull edge across a step looks like a slow card. A crystal's rate shows
            // the same in both halves of the window, so a rate is believed only when each half
            // shows it too, and when a crystal could have it.
            // Steps that come again and again (a server running dry every few seconds) tilt both
            // halves alike; but between its steps a staircase is flat, while a crystal's rate
            // shows from one eighth of a second to the next: the median of those short slopes
            // must show most of the change too.
            const std::size_t half = pointCount_ / 2;
            const double shortSlope = medianShortSlope();
            const bool confirmed =
                agrees(fit(0, half), line_.slope) && agrees(fit(half, pointCount_ - half), line_.slope) &&
                std::abs(shortSlope - line_.slope) <
                    0.5 * std::abs(line_.slope - slope_) + kShortSlopeNoisePpm * 1e-6 * nsPerFrame_;
            const double ppm = std::abs(line_.slope) / nsPerFrame_ * 1e6;
            const double error = std::abs(offset_ - (line_.at0 + line_.slope * frame));
            const bool needed = ppm >= kPromptSkewPpm || error > offsetDeadbandNs_;
            // A new rate changes only where the mapping heads, never where it stands.
            if (evidence > kRateEvidenceNs && confirmed && ppm < kMaxSkewPpm && needed)
                slope_ = line_.slope;
        }
        // Where the card's envelope lies at the rate the mapping runs at: under its lowest point.
        // A fit that tilts with held-up callbacks and was not believed moves nothing.
        floorAt0_ = kInfinity;
        for (std::size_t i = 0; i < pointCount_; ++i) {
            const Point& p = points_[(pointHead_ + i) % kPoints];
            floorAt0_ = std::min(floorAt0_, p.lateness - slope_ * p.frame);
        }
    }
    if (!line_.valid || line_.span < minFitFrames_)
        return;
    const double envelope = floorAt0_ + slope_ * frame;
    const double error = offset_ - envelope;
    if (error > earlyLimitNs_ || error < -lateLimitNs_) {
        // Behind the card by more than the look-ahead can absorb (starts would miss their frames
        // while a slew went on), or so far ahead that the latency is plain to hear: the card
        // and the mapping parted (a sound server that paused its stream). The envelope of the
        // old points no longer holds either: settle afresh.
        anchor(frame, lateness);
        reanchors_.fetch_add(1, std::memory_order_relaxed);
        offsetNs_.store(0, std::memory_order_relaxed);
        return;
    }
    if (std::abs(error) > offsetDeadbandNs_)
        slewing_ = true;
    if (slewing_) {
        const double step = std::min(std::abs(error), kMaxSlewPpm * 1e-6 * frames * nsPerFrame_);
        offset_ -= error > 0 ? step : -step;
        if (std::abs(error) - step < offsetDeadbandNs_ / 8)
            slewing_ = false;
    }
    skewPpm_.store(-slope_ / nsPerFrame_ * 1e6, std::memory_order_relaxed);
    offsetNs_.store(static_cast<std::int64_t>(offset_ - envelope), std::memory_order_relaxed);
}

double CardClock::frameAt(std::int64_t timeNs) const noexcept {
    // timeNs - origin = f x period + lateness(f), with lateness(f) on the applied line.
    const double t = static_cast<double>(timeNs - originNs_);
    return (t - offset_ + slope_ * offsetFrame_) / (nsPerFrame_ + slope_);
}

} // namespace tamboro
