#pragma once
// The engine's own small event loop: the "window thread" of the CLI and the tests. Tasks posted
// from any thread run, in order, on the thread that runs the loop; delayed tasks run at their time.

#include "sound/TickDispatcher.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

namespace tamboro {

class EventLoop : public TickDispatcher {
public:
    using Clock = std::chrono::steady_clock;

    void post(std::function<void()> task) override;
    // Runs `task` on the loop thread no earlier than `when`.
    void postAt(Clock::time_point when, std::function<void()> task);

    // Runs tasks until quit() is called.
    void run();
    // Makes run() return after the task in progress. Thread-safe.
    void quit();
    // Runs tasks until `done()` is true (checked after every task) or `timeout` has passed;
    // returns done(). For tests and the CLI.
    bool runUntil(const std::function<bool()>& done, Clock::duration timeout);
    // Runs tasks for `span`.
    void runFor(Clock::duration span);

private:
    // Runs at most one due task, waiting until `deadline` for one. False if none ran.
    bool runOne(Clock::time_point deadline);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> ready_;
    std::multimap<Clock::time_point, std::function<void()>> delayed_;
    bool quit_ = false;
};

} // namespace tamboro
