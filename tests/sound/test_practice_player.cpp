// The practice player on a manually rendered device: each step reaches the mixer kPlanAhead before
// it sounds, so a window thread held up by more than the device's look-ahead still lands every hit
// on its frame; Stop calls off the steps handed over that have not sounded.

#include "KitFixture.h"

#include "kits/ClickSynth.h"
#include "sound/PracticePlayer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tamboro {
namespace {

using namespace std::chrono_literals;
using Clock = StepClock::Clock;
using test::kitName;

// One pattern of 4 steps at 150 BPM (100 ms steps) with Drum1 on channel 1 of every step; the
// click is off, so only the drums sound.
struct PracticeRig {
    PracticeRig() {
        f.kit.item(1).setWave(test::toneWave(20));
        for (int step = 0; step < 4; ++step)
            cells[static_cast<std::size_t>(step * 6)] = kitName("Drum1");
    }

    // Renders blocks of 256 frames, each "called" at the steady time of its first frame, until the
    // output reaches `time`; keeps the left channel.
    void renderUntil(Clock::time_point time) {
        while (origin +
                   std::chrono::nanoseconds(static_cast<std::int64_t>(left.size()) * 1'000'000'000 / 44100) <
               time) {
            const std::int64_t now =
                steadyNanos(origin) + static_cast<std::int64_t>(left.size()) * 1'000'000'000 / 44100;
            const std::vector<float> block = f.backend->render(256, now);
            for (std::size_t i = 0; i < block.size(); i += 2)
                left.push_back(block[i]);
        }
    }

    // The frames where a hit begins (silence, then sound).
    std::vector<std::int64_t> onsets() const {
        std::vector<std::int64_t> found;
        for (std::size_t i = 0; i < left.size(); ++i)
            if (left[i] != 0.0f && (i == 0 || left[i - 1] == 0.0f))
                found.push_back(static_cast<std::int64_t>(i));
        return found;
    }

    bool start(int plays, Clock::time_point firstStep) {
        PracticeSettings settings;
        settings.click = false;
        player.setFirstStep(firstStep);
        return player.start(PracticeSequence({{0, 150, 4, 1, 4}}, settings), {cells}, plays,
                            clickWave(ClickVoice::Accent), clickWave(ClickVoice::Tick));
    }

    test::KitFixture f{1};
    PracticePlayer player{f.loop, *f.device, *f.playback};
    std::vector<std::string> cells = std::vector<std::string>(24);
    // The test's own timeline, an hour ahead of the steady clock: the player's clock never ticks
    // during the test, and Stop (which calls off what is planned after now) finds every step of it
    // still to come, however slowly a sanitizer build runs.
    Clock::time_point origin = Clock::now() + 1h;
    std::vector<float> left;
};

TEST(PracticePlayer, HeldUpTicksStillLandEveryHitOnItsFrame) {
    // Held up by 40 ms, three times the device's look-ahead; a step made at its own tick would
    // start late every time.
    for (const auto heldUp : {0ms, 40ms, 90ms}) {
        PracticeRig rig;
        const std::int64_t lookahead = rig.f.device->lookaheadFrames();
        ASSERT_LT(lookahead * 1000 / 44100, 40);
        rig.renderUntil(rig.origin); // the clock mapping: frame 0 at the origin
        const Clock::time_point first = rig.origin + 200ms;
        ASSERT_TRUE(rig.start(2, first));
        // The window thread runs each tick `heldUp` after its planned time (the clock's own ticks
        // would run it in the meantime: the test runs them instead, on its own time).
        Clock::time_point tick = first - PracticePlayer::kPlanAhead;
        int ticks = 0;
        while (rig.player.playing() && ticks < 100) {
            rig.renderUntil(tick + heldUp);
            rig.player.tick(tick);
            tick += std::chrono::milliseconds(rig.player.clock.interval());
            ++ticks;
        }
        EXPECT_FALSE(rig.player.playing()) << heldUp.count();
        rig.renderUntil(first + 1s);
        EXPECT_EQ(rig.f.device->lateStarts(), 0u) << heldUp.count();
        EXPECT_EQ(rig.player.steps(), 8u);
        std::vector<std::int64_t> expected;
        for (std::int64_t step = 0; step < 8; ++step)
            expected.push_back(200 * 441 / 10 + step * 4410 + lookahead);
        EXPECT_EQ(rig.onsets(), expected) << heldUp.count();
    }
}

TEST(PracticePlayer, StopCallsOffTheStepsHandedOverAhead) {
    PracticeRig rig;
    rig.renderUntil(rig.origin);
    const Clock::time_point first = rig.origin + 200ms;
    ASSERT_TRUE(rig.start(0, first));
    // The first tick hands over the first step (and no later one: the second is 200 ms away).
    rig.player.tick(first - PracticePlayer::kPlanAhead);
    rig.renderUntil(first + 50ms);
    rig.player.tick(first + 100ms - PracticePlayer::kPlanAhead);
    EXPECT_EQ(rig.player.steps(), 2u);
    // Stopped 50 ms after the first hit, before the second (planned 100 ms after it) sounds.
    rig.player.stop();
    rig.renderUntil(first + 1s);
    EXPECT_EQ(rig.onsets().size(), 1u);
    EXPECT_FALSE(rig.player.playing());
}

} // namespace
} // namespace tamboro
