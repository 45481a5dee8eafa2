#include "sound/EventLoop.h"

namespace tamboro {

void EventLoop::post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        ready_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void EventLoop::postAt(Clock::time_point when, std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        delayed_.emplace(when, std::move(task));
    }
    wake_.notify_one();
}

void EventLoop::quit() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
}

bool EventLoop::runOne(Clock::time_point deadline) {
    std::function<void()> task;
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (quit_)
                return false;
            const auto now = Clock::now();
            if (!delayed_.empty() && delayed_.begin()->first <= now) {
                // A delayed task that is due goes behind the tasks already waiting.
                ready_.push_back(std::move(delayed_.begin()->second));
                delayed_.erase(delayed_.begin());
                continue;
            }
            if (!ready_.empty()) {
                task = std::move(ready_.front());
                ready_.pop_front();
                break;
            }
            if (now >= deadline)
                return false;
            auto until = deadline;
            if (!delayed_.empty() && delayed_.begin()->first < until)
                until = delayed_.begin()->first;
            wake_.wait_until(lock, until);
        }
    }
    task();
    return true;
}

void EventLoop::run() {
    {
        std::lock_guard lock(mutex_);
        quit_ = false;
    }
    while (true) {
        runOne(Clock::now() + std::chrono::hours(1));
        std::lock_guard lock(mutex_);
        if (quit_)
            break;
    }
}

bool EventLoop::runUntil(const std::function<bool()>& done, Clock::duration timeout) {
    const auto deadline = Clock::now() + timeout;
    {
        std::lock_guard lock(mutex_);
        quit_ = false;
    }
    while (!done()) {
        if (Clock::now() >= deadline)
            return done();
        runOne(deadline);
        std::lock_guard lock(mutex_);
        if (quit_)
            break;
    }
    return done();
}

void EventLoop::runFor(Clock::duration span) {
    runUntil([] { return false; }, span);
}

} // namespace tamboro
