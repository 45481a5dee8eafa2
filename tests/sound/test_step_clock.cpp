// The thread timer through the engine's event loop: first tick at once, absolute schedule with a
// 10 ms floor, interval changes, disabling inside a tick, rapid disable/enable, handler errors.

#include "sound/EventLoop.h"
#include "sound/StepClock.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

namespace tamboro {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Recorder {
    std::vector<Clock::time_point> planned;
    std::vector<Clock::time_point> ran;
    std::thread::id thread;
};

TEST(StepClock, FirstTickAtOnceThenOnAnAbsoluteGrid) {
    EventLoop loop;
    StepClock timer(loop);
    Recorder rec;
    timer.setInterval(30);
    std::vector<Clock::time_point> ended;
    timer.onTick = [&](StepClock& t) {
        rec.planned.push_back(t.tickTime());
        rec.ran.push_back(Clock::now());
        rec.thread = std::this_thread::get_id();
        std::this_thread::sleep_for(3ms); // a handler that takes time must not stretch the period
        ended.push_back(Clock::now());
    };
    const auto enabledAt = Clock::now();
    timer.setEnabled(true);
    ASSERT_TRUE(loop.runUntil([&] { return rec.planned.size() >= 10; }, 5s));
    timer.setEnabled(false);
    EXPECT_EQ(rec.thread, std::this_thread::get_id()); // handlers run on the loop's thread
    EXPECT_LT(ms(rec.ran[0] - enabledAt), 25.0);
    for (std::size_t i = 1; i < rec.planned.size(); ++i) {
        // Planned times keep the exact grid; only a tick held up on a busy machine so long that
        // its handler ended within 10 ms of the next grid point pushes the next one later.
        if (ended[i - 1] - rec.planned[i - 1] < 15ms)
            EXPECT_EQ(rec.planned[i] - rec.planned[i - 1], 30ms) << i;
        else
            EXPECT_GE(rec.planned[i] - rec.planned[i - 1], 30ms) << i;
    }
}

// With a lead the handlers run ahead of their planned starts, and the planned grid stays exact: a
// tick held up for less than the lead still reaches the mixer before its time.
TEST(StepClock, LeadHandlesTicksAheadOnTheSameGrid) {
    EventLoop loop;
    StepClock timer(loop);
    Recorder rec;
    timer.setInterval(30);
    timer.setLead(60ms);
    timer.onTick = [&](StepClock& t) {
        rec.planned.push_back(t.tickTime());
        rec.ran.push_back(Clock::now());
    };
    const auto enabledAt = Clock::now();
    timer.setEnabled(true);
    ASSERT_TRUE(loop.runUntil([&] { return rec.planned.size() >= 20; }, 5s));
    timer.setEnabled(false);
    EXPECT_LT(ms(rec.planned[0] - enabledAt), 25.0); // the first tick still comes at once
    int ahead = 0;
    for (std::size_t i = 1; i < rec.planned.size(); ++i) {
        EXPECT_EQ(rec.planned[i] - rec.planned[i - 1], 30ms) << i;
        // Ten milliseconds of rest between handlers: from the fifth tick on they are 60 ms ahead.
        if (i >= 5 && rec.ran[i] < rec.planned[i] - 30ms)
            ++ahead;
    }
    // A busy machine may hold a tick or two up; most must run well before their time.
    EXPECT_GE(ahead, 12);
}

TEST(StepClock, CountsHowLongTheWindowThreadHeldATickUp) {
    EventLoop loop;
    StepClock timer(loop);
    EXPECT_EQ(timer.worstTickDelay(), Clock::duration::zero());
    timer.setInterval(30);
    int ticks = 0;
    timer.onTick = [&](StepClock&) {
        // After the first tick the window thread is busy for 80 ms: the second tick, planned
        // 30 ms after the first, waits at least 50 ms for it.
        if (++ticks == 1)
            loop.post([] { std::this_thread::sleep_for(80ms); });
    };
    timer.setEnabled(true);
    ASSERT_TRUE(loop.runUntil([&] { return ticks >= 3; }, 5s));
    timer.setEnabled(false);
    EXPECT_GE(ms(timer.worstTickDelay()), 45.0);
}

TEST(StepClock, LongHandlerGetsTenMillisecondsOfRestWithoutCatchUp) {
    struct Case {
        std::int32_t interval;
        int handlerMs;
        double minGap, maxGap;
    } cases[] = {
        {40, 35, 44.0, 80.0}, // handler longer than interval - 10: handler + 10 ms
        {0, 0, 9.5, 40.0},    // no interval: 10 ms apart
        {-5, 0, 9.5, 40.0},
    };
    for (const auto& c : cases) {
        EventLoop loop;
        StepClock timer(loop);
        Recorder rec;
        timer.setInterval(c.interval);
        timer.onTick = [&](StepClock&) {
            rec.ran.push_back(Clock::now());
            std::this_thread::sleep_for(std::chrono::milliseconds(c.handlerMs));
        };
        timer.setEnabled(true);
        ASSERT_TRUE(loop.runUntil([&] { return rec.ran.size() >= 6; }, 5s));
        timer.setEnabled(false);
        for (std::size_t i = 1; i < rec.ran.size(); ++i) {
            EXPECT_GE(ms(rec.ran[i] - rec.ran[i - 1]), c.minGap) << c.interval << " tick " << i;
            EXPECT_LE(ms(rec.ran[i] - rec.ran[i - 1]), c.maxGap) << c.interval << " tick " << i;
        }
    }
}

TEST(StepClock, IntervalSetInAHandlerGovernsTheNextWait) {
    EventLoop loop;
    StepClock timer(loop);
    Recorder rec;
    timer.setInterval(20);
    timer.onTick = [&](StepClock& t) {
        rec.planned.push_back(t.tickTime());
        if (rec.planned.size() == 3)
            t.setInterval(60);
    };
    timer.setEnabled(true);
    ASSERT_TRUE(loop.runUntil([&] { return rec.planned.size() >= 5; }, 5s));
    timer.setEnabled(false);
    EXPECT_EQ(rec.planned[2] - rec.planned[1], 20ms);
    EXPECT_EQ(rec.planned[3] - rec.planned[2], 60ms);
    EXPECT_EQ(rec.planned[4] - rec.planned[3], 60ms);
}

TEST(StepClock, DisablingInsideTheHandlerStopsTicks) {
    EventLoop loop;
    StepClock timer(loop);
    int ticks = 0;
    timer.setInterval(10);
    timer.onTick = [&](StepClock& t) {
        if (++ticks == 2)
            t.setEnabled(false);
    };
    timer.setEnabled(true);
    loop.runFor(150ms);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(timer.enabled());
}

TEST(StepClock, EnablingTwiceAddsNoWorker) {
    EventLoop loop;
    StepClock timer(loop);
    int ticks = 0;
    timer.setInterval(50);
    timer.onTick = [&](StepClock&) { ++ticks; };
    timer.setEnabled(true);
    timer.setEnabled(true);
    loop.runFor(120ms);
    timer.setEnabled(false);
    EXPECT_GE(ticks, 2);
    EXPECT_LE(ticks, 3); // 0, 50, 100 ms
}

// Disable and re-enable at once, many times: one tick right away each time, and never two workers
// ticking (which would show as planned times closer than the interval).
TEST(StepClock, RapidDisableEnableKeepsOneWorker) {
    EventLoop loop;
    StepClock timer(loop);
    std::vector<Clock::time_point> ran;
    timer.setInterval(40);
    timer.onTick = [&](StepClock&) { ran.push_back(Clock::now()); };
    timer.setEnabled(true);
    loop.runFor(60ms);
    for (int i = 0; i < 5; ++i) {
        timer.setEnabled(false);
        timer.setEnabled(true);
    }
    const auto reenabled = Clock::now();
    const std::size_t before = ran.size();
    loop.runFor(200ms);
    timer.setEnabled(false);
    ASSERT_GT(ran.size(), before);
    EXPECT_LT(ms(ran[before] - reenabled), 30.0); // the first tick comes at once
    const std::size_t after = ran.size() - before;
    EXPECT_GE(after, 4u);
    EXPECT_LE(after, 6u); // 0, 40, ..., 200 ms: never twice the rate
    for (std::size_t i = before + 1; i < ran.size(); ++i)
        EXPECT_GE(ms(ran[i] - ran[i - 1]), 25.0);
}

TEST(StepClock, HandlerErrorIsReportedAndTheClockGoesOn) {
    EventLoop loop;
    StepClock timer(loop);
    int ticks = 0;
    std::vector<std::string> errors;
    timer.setInterval(10);
    timer.onTick = [&](StepClock&) {
        if (++ticks == 1)
            throw std::runtime_error("Wave 'x' not found");
    };
    timer.onError = [&](const std::string& message) { errors.push_back(message); };
    timer.setEnabled(true);
    ASSERT_TRUE(loop.runUntil([&] { return ticks >= 3; }, 2s));
    timer.setEnabled(false);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Wave 'x' not found");
}

TEST(StepClock, DestroyingARunningTimerIsSafe) {
    EventLoop loop;
    int ticks = 0;
    {
        StepClock timer(loop);
        timer.setInterval(10);
        timer.onTick = [&](StepClock&) { ++ticks; };
        timer.setEnabled(true);
        loop.runFor(30ms);
        // The worker may be waiting for a tick queued on the loop right now.
    }
    loop.runFor(30ms); // a queued tick of the dead timer runs as a no-op
    EXPECT_GE(ticks, 1);
}

} // namespace
} // namespace tamboro
