#pragma once
// `StepClock`: the tick source of playback. A worker thread keeps the time and sleeps; each
// tick is handed to the window thread (through a TickDispatcher) and the worker waits until the
// handler has run there, so handlers touch the grid and the playback state without locks.
//
// Timing: the first tick comes at once on enabling (or at the time setNextStart gave). The worker waits
// against an absolute schedule: the next tick is planned at the previous tick's planned start + `interval`,
// but never earlier than 10 ms after the handler ended. So the tempo does not drift, and a late tick is not
// followed by a burst of catch-up ticks. Each tick carries its planned start (tickTime()), which
// voice starts use to land on the beat.
//
// A lead (0 unless set) hands each tick to the window thread that long before its planned start,
// so that voice starts planned at the tick's time reach the mixer ahead of it, and a thread the
// system holds up for less than the lead still lands every hit on its frame. The grid and the
// planned starts do not move; only the handler runs earlier.
//
// A generation number per enable makes sure at most one worker ticks per timer, however quickly
// the timer is disabled and enabled again. A handler error is reported through onError and the
// clock keeps ticking.

#include "sound/ThreadPriority.h"
#include "sound/TickDispatcher.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace tamboro {

// How far ahead the headless player (tamboro-cli play of a pattern or a song; a practice session
// plans its steps ahead by itself, see PracticePlayer) handles its ticks: more than
// the longest a loaded machine has been seen to hold a real-time thread up (a virtual machine's
// processor paused for its host's 100 ms scheduler period), so every hit still reaches its frame.
// The window handles its ticks on time: its step marker follows them.
inline constexpr std::chrono::milliseconds kHeadlessTickLead{200};

class StepClock {
public:
    using Clock = std::chrono::steady_clock;
    using TimerEvent = std::function<void(StepClock& sender)>;

    // The smallest gap between the end of a handler and the start of the next tick.
    static constexpr std::chrono::milliseconds kMinimumWait{10};

    // `dispatcher` must outlive the timer.
    explicit StepClock(TickDispatcher& dispatcher);
    // Stops the worker and waits for it (it never waits for the window thread while stopping).
    ~StepClock();
    StepClock(const StepClock&) = delete;
    StepClock& operator=(const StepClock&) = delete;

    // Window thread only, like every method below.
    bool enabled() const { return enabled_; }
    // Enabling a running timer changes nothing; enabling starts a new worker whose first tick comes
    // at once. Disabling takes effect before the next tick, also from inside onTick.
    void setEnabled(bool enabled);
    // The next enable plans its first tick at `time` instead of at once (when `time` is still
    // ahead then), so a caller can line other things up with the first step.
    void setNextStart(Clock::time_point time) { nextStart_ = time; }

    // Milliseconds between tick starts; read by the worker after every tick, so a change made in a
    // handler governs the wait right after it. 0 or less gives ticks 10 ms apart.
    std::int32_t interval() const { return interval_->load(std::memory_order_relaxed); }
    void setInterval(std::int32_t ms) { interval_->store(ms, std::memory_order_relaxed); }

    // How long before its planned start each tick is handled (taken by the next enable). The first
    // tick of an enable still comes at once when no later start was set.
    Clock::duration lead() const { return lead_; }
    void setLead(Clock::duration lead) { lead_ = lead; }

    // Given to each new worker.
    ThreadPriority threadPriority() const { return priority_; }
    void setThreadPriority(ThreadPriority priority) { priority_ = priority; }

    // The tick handler, called on the window thread.
    TimerEvent onTick;
    // Called on the window thread with the message of an error a handler raised. Without one the
    // message goes to stderr.
    std::function<void(const std::string&)> onError;

    // The planned start of the tick being handled (valid inside onTick).
    Clock::time_point tickTime() const { return tickTime_; }
    // Ticks handled since the timer was made.
    std::uint64_t tickCount() const { return tickCount_; }
    // The longest a tick's handler started after it was due (its planned start less the lead): how
    // long the system held the clock's threads up. More than the lead and the output's look-ahead
    // together makes late starts.
    Clock::duration worstTickDelay() const { return worstTickDelay_; }

private:
    struct Shared;
    void fire(Clock::time_point planned, Clock::time_point due);
    void stopWorker();

    TickDispatcher& dispatcher_;
    std::shared_ptr<Shared> shared_;
    std::shared_ptr<std::atomic<std::int32_t>> interval_;
    std::thread worker_;
    bool enabled_ = false;
    std::optional<Clock::time_point> nextStart_;
    Clock::duration lead_{};
    ThreadPriority priority_ = ThreadPriority::normal;
    Clock::time_point tickTime_{};
    std::uint64_t tickCount_ = 0;
    Clock::duration worstTickDelay_{};
};

} // namespace tamboro
