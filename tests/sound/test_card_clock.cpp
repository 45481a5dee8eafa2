// The clock mapping against synthetic callback timings: a card whose crystal runs off the steady
// clock, callbacks held up in bursts, block sizes that change, blocks the output dropped. Where
// the mapping puts each beat is compared with the frame the card really plays at that time.

#include "sound/CardClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

namespace tamboro {
namespace {

constexpr std::uint32_t kRate = 44100;
constexpr double kBeatSeconds = 0.5; // 120 BPM
constexpr std::uint32_t kLookahead = 600;

struct Scenario {
    double skewPpm = 0.0;
    double lateMs = 0.0;     // callbacks this late during bursts
    double burstSeconds = 0; // for this long
    double everySeconds = 0; // starting this often
    std::uint32_t minBlock = 256;
    std::uint32_t maxBlock = 256;
    int dropEvery = 0;     // every Nth block is lost by the output
    double jitterUs = 0.0; // random lateness of every callback, up to this
    double seconds = 120.0;
    // A sound server that ran dry: every `stallEverySeconds` until `stallUntilSeconds` the card
    // plays everything after `stallMs` later (silence in between), unreported.
    double stallMs = 0.0;
    double stallEverySeconds = 0.0;
    double stallUntilSeconds = 0.0;
};

struct Outcome {
    double worstBeatChange = 0.0; // frames, between successive beats, once learned
    double worstError = 0.0;      // frames, mapping against the card, once learned
    std::uint64_t reanchors = 0;
    int drops = 0;
    double skewPpm = 0.0;
    double largestSkewPpm = 0.0; // the largest rate the mapping ran at, either sign
};

// Feeds the clock one callback per block and, at every beat, compares the mapping's frame for
// the beat's time with the card's. Judged from `learnedAfter` seconds on.
Outcome run(const Scenario& s, double learnedAfter = 2.0) {
    CardClock clock(kRate, kLookahead);
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> blockSize(s.minBlock, s.maxBlock);
    std::uniform_real_distribution<double> jitter(0.0, s.jitterUs * 1e3);
    const double cardRate = kRate * (1.0 + s.skewPpm * 1e-6);
    const std::int64_t start = 1'000'000'000'000;
    double cardFrame = 0.0;      // frames the card has played
    std::int64_t mixerFrame = 0; // frames the mixer has rendered (behind after drops)
    double nextBeat = 0.0;
    double previousError = NAN;
    double stalled = 0.0; // seconds the card has played silence
    double nextStall = s.stallEverySeconds;
    Outcome out;
    for (int block = 1;; ++block) {
        const double cardSeconds = cardFrame / cardRate;
        if (cardSeconds >= s.seconds)
            break;
        const std::uint32_t frames = blockSize(random);
        if (s.dropEvery > 0 && block % s.dropEvery == 0) {
            cardFrame += frames;
            clock.noteDiscontinuity();
            ++out.drops;
            continue;
        }
        if (s.stallMs > 0 && cardSeconds < s.stallUntilSeconds && cardSeconds >= nextStall) {
            stalled += s.stallMs * 1e-3;
            nextStall += s.stallEverySeconds;
        }
        double late = jitter(random) + stalled * 1e9;
        if (s.everySeconds > 0 && std::fmod(cardSeconds, s.everySeconds) >= s.everySeconds - s.burstSeconds)
            late += s.lateMs * 1e6;
        const auto now = start + static_cast<std::int64_t>(cardSeconds * 1e9 + late);
        clock.update(mixerFrame, frames, now);
        out.largestSkewPpm = std::max(out.largestSkewPpm, std::abs(clock.skewPpm()));
        // Beats about to be scheduled: the card plays mixer frame m at card frame m + lost.
        while (nextBeat * 1e9 < static_cast<double>(now - start) + 50e6) {
            const auto beatTime = start + static_cast<std::int64_t>(nextBeat * 1e9);
            const double cardBeat =
                (nextBeat - stalled) * cardRate - (cardFrame - static_cast<double>(mixerFrame));
            const double error = clock.frameAt(beatTime) - cardBeat;
            if (nextBeat >= learnedAfter) {
                out.worstError = std::max(out.worstError, std::abs(error));
                if (!std::isnan(previousError))
                    out.worstBeatChange = std::max(out.worstBeatChange, std::abs(error - previousError));
                previousError = error;
            }
            nextBeat += kBeatSeconds;
        }
        mixerFrame += frames;
        cardFrame += frames;
    }
    out.reanchors = clock.reanchors();
    out.skewPpm = clock.skewPpm();
    return out;
}

TEST(CardClock, FollowsTheCardWithoutJumps) {
    struct Case {
        const char* what;
        Scenario scenario;
        double worstError;         // frames
        double learnedAfter = 2.0; // seconds
        double beatChange = 1.0;   // frames
    } cases[] = {
        {"steady card", {}, 0.01},
        {"fast card", {.skewPpm = 2000}, 120},
        {"slow card", {.skewPpm = -2000}, 120},
        // A small rate difference is followed only once the mapping has moved a third of the
        // look-ahead (200 frames) from the card: until then the grid stays.
        // (50 ppm is 1.1 frames per beat).
        {"50 ppm card, jittery callbacks", {.skewPpm = 50, .jitterUs = 300}, 230, 0.5, 1.2},
        {"30 ms late for 3 s every 10 s", {.lateMs = 30, .burstSeconds = 3, .everySeconds = 10}, 0.01},
        {"bursts on a fast card, varying blocks",
         {.skewPpm = 2000,
          .lateMs = 30,
          .burstSeconds = 3,
          .everySeconds = 10,
          .minBlock = 64,
          .maxBlock = 1024},
         120},
        {"bursts on a slow jittery card",
         {.skewPpm = -2000, .lateMs = 30, .burstSeconds = 3, .everySeconds = 7, .jitterUs = 500},
         140,
         6.0},
    };
    for (const auto& c : cases) {
        const Outcome o = run(c.scenario, c.learnedAfter);
        // The grid never moves by a frame from one beat to the next, and stays inside the
        // look-ahead's bounds.
        EXPECT_LT(o.worstBeatChange, c.beatChange) << c.what;
        EXPECT_LT(o.worstError, c.worstError) << c.what;
        EXPECT_EQ(o.reanchors, 0u) << c.what;
        EXPECT_NEAR(o.skewPpm, c.scenario.skewPpm, 15.0) << c.what;
    }
}

TEST(CardClock, LongBurstsOfLateCallbacksDoNotMoveTheGrid) {
    // Callbacks late four seconds of every five, from the first second on.
    const Outcome o = run({.lateMs = 30, .burstSeconds = 4, .everySeconds = 5, .seconds = 60}, 0.0);
    EXPECT_LT(o.worstBeatChange, 1.0);
    EXPECT_EQ(o.reanchors, 0u);
}

TEST(CardClock, DroppedBlocksReanchorOnceEach) {
    const Outcome o =
        run({.skewPpm = 1500, .minBlock = 128, .maxBlock = 512, .dropEvery = 2000, .seconds = 60});
    ASSERT_GT(o.drops, 3);
    EXPECT_EQ(o.reanchors, static_cast<std::uint64_t>(o.drops));
    // Each re-anchor puts the mapping back on the card; the rate learned before is kept.
    EXPECT_LT(o.worstError, 40.0);
    EXPECT_NEAR(o.skewPpm, 1500.0, 15.0);
}

TEST(CardClock, AServerRunningDryAgainAndAgainIsNoRate) {
    // Each time the server runs dry the card plays the rest later: a step in the callbacks'
    // envelope. A hull edge across such a step looks like a slow card; repeated steps and the
    // re-anchors they bring must not make the mapping believe one, during the stalls or after.
    struct Case {
        const char* what;
        Scenario scenario;
    } cases[] = {
        {"10 ms every second", {.stallMs = 10, .stallEverySeconds = 1, .stallUntilSeconds = 60}},
        {"30 ms every 3 s", {.stallMs = 30, .stallEverySeconds = 3, .stallUntilSeconds = 60}},
        {"5 ms every half second", {.stallMs = 5, .stallEverySeconds = 0.5, .stallUntilSeconds = 60}},
        {"15 ms every 4 s, jittery",
         {.jitterUs = 2000, .stallMs = 15, .stallEverySeconds = 4, .stallUntilSeconds = 100}},
        {"slow card, 30 ms every 3 s",
         {.skewPpm = -2000, .stallMs = 30, .stallEverySeconds = 3, .stallUntilSeconds = 60}},
        {"fast card, 10 ms every second",
         {.skewPpm = 1500, .stallMs = 10, .stallEverySeconds = 1, .stallUntilSeconds = 60}},
    };
    for (const auto& c : cases) {
        const Outcome o = run(c.scenario);
        EXPECT_GT(o.reanchors, 0u) << c.what; // the stalls did part card and mapping
        EXPECT_LT(o.largestSkewPpm, std::abs(c.scenario.skewPpm) + 15.0) << c.what;
        EXPECT_NEAR(o.skewPpm, c.scenario.skewPpm, 15.0) << c.what;
    }
}

TEST(CardClock, AServerThatLostTimeIsFollowedOnce) {
    // From 5 s on every callback comes later for good (a sound server that ran dry and now plays
    // our blocks later): one re-anchor about two seconds later, then the new place holds. Also
    // with a sound server's long look-ahead (34 blocks), where the time lost is less than it.
    struct Case {
        std::uint32_t lookahead;
        std::int64_t lostNs;
    } cases[] = {{kLookahead, 80'000'000}, {34 * 256, 160'000'000}, {34 * 256, 60'000'000}};
    for (const auto& c : cases) {
        CardClock clock(kRate, c.lookahead);
        const std::int64_t start = 1'000'000'000;
        for (std::int64_t frame = 0; frame < 20 * kRate; frame += 256) {
            const std::int64_t late = frame >= 5 * kRate ? c.lostNs : 0;
            clock.update(frame, 256, start + frame * 1'000'000'000 / kRate + late);
        }
        EXPECT_EQ(clock.reanchors(), 1u) << c.lookahead << " " << c.lostNs;
        EXPECT_NEAR(clock.frameAt(start + 20'000'000'000 + c.lostNs), 20.0 * kRate, 1.0) << c.lookahead;
    }
}

TEST(CardClock, MappingFarBehindTheCardReanchors) {
    // The first half second came 20 ms late, everything after on time: the mapping would leave
    // starts 20 ms (more than the look-ahead) late, so it re-anchors once instead of slewing.
    CardClock clock(kRate, kLookahead);
    const std::int64_t start = 1'000'000'000;
    for (std::int64_t frame = 0; frame < 10 * kRate; frame += 256) {
        const std::int64_t late = frame < kRate / 2 ? 20'000'000 : 0;
        clock.update(frame, 256, start + frame * 1'000'000'000 / kRate + late);
    }
    EXPECT_EQ(clock.reanchors(), 1u);
    EXPECT_NEAR(clock.frameAt(start + 10'000'000'000), 10.0 * kRate, 1.0);
}

TEST(CardClock, ASoundServerFillingItsBufferAtTheStartIsNoRate) {
    // A sound server fills its whole buffer (34 blocks) at the start: it asks for blocks twice as
    // fast as it plays them until it holds 0.2 s, so the first callbacks come ever earlier. That
    // start-up must not pass for a fast card, however long it lasts.
    for (const double fillSeconds : {0.1, 0.2, 0.4}) {
        CardClock clock(kRate, 34 * 256);
        const std::int64_t start = 1'000'000'000;
        for (std::int64_t frame = 0; frame < 10 * kRate; frame += 256) {
            const double seconds = static_cast<double>(frame) / kRate;
            // Filling: frame f is asked for at f / 2; afterwards the buffer stays full.
            const double asked = seconds < 2 * fillSeconds ? seconds / 2 : seconds - fillSeconds;
            clock.update(frame, 256, start + static_cast<std::int64_t>(asked * 1e9));
        }
        EXPECT_LT(std::abs(clock.skewPpm()), 15.0) << fillSeconds;
        EXPECT_EQ(clock.reanchors(), 0u) << fillSeconds;
    }
}

} // namespace
} // namespace tamboro
