#include "sound/StepClock.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <mutex>

namespace tamboro {

struct StepClock::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    // Bumped by every enable and disable; a worker ticks only while it holds the current one.
    std::uint64_t generation = 0;
    bool destroyed = false;
    StepClock* owner = nullptr; // read and cleared on the window thread, under the mutex
};

namespace {

using Clock = std::chrono::steady_clock;

struct WorkerArgs {
    std::uint64_t generation;
    ThreadPriority priority;
    Clock::time_point firstTick;
    Clock::duration lead;
};

} // namespace

StepClock::StepClock(TickDispatcher& dispatcher)
    : dispatcher_(dispatcher), shared_(std::make_shared<Shared>()),
      interval_(std::make_shared<std::atomic<std::int32_t>>(0)) {
    shared_->owner = this;
}

StepClock::~StepClock() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->destroyed = true;
        shared_->owner = nullptr;
        ++shared_->generation;
    }
    shared_->changed.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void StepClock::stopWorker() {
    {
        std::lock_guard lock(shared_->mutex);
        ++shared_->generation;
    }
    shared_->changed.notify_all();
}

void StepClock::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled) {
        // The worker is not waited for here: it may be waiting for this very thread (a handler
        // disabling its own timer). It sees the new generation and ends by itself.
        stopWorker();
        return;
    }
    // An earlier worker has already been told to stop; it ends at once (it never blocks on the
    // window thread once its generation is stale), so joining it here is quick.
    if (worker_.joinable())
        worker_.join();
    std::uint64_t generation;
    {
        std::lock_guard lock(shared_->mutex);
        generation = ++shared_->generation;
    }
    auto shared = shared_;
    auto interval = interval_;
    TickDispatcher* dispatcher = &dispatcher_;
    const Clock::time_point now = Clock::now();
    const WorkerArgs args{generation, priority_, nextStart_ && *nextStart_ > now ? *nextStart_ : now,
                          std::max(lead_, Clock::duration::zero())};
    nextStart_.reset();
    worker_ = std::thread([shared, interval, dispatcher, args] {
        applyThreadPriority(args.priority);
        auto stale = [&] { return shared->generation != args.generation || shared->destroyed; };
        Clock::time_point planned = args.firstTick;
        // When the tick is due on the window thread: its planned start less the lead, or later
        // after a long handler's rest.
        Clock::time_point due = std::max(planned - args.lead, Clock::now());
        {
            std::unique_lock lock(shared->mutex);
            if (shared->changed.wait_until(lock, due, stale))
                return;
        }
        for (;;) {
            auto handled = std::make_shared<bool>(false);
            {
                std::lock_guard lock(shared->mutex);
                if (stale())
                    return;
            }
            dispatcher->post([shared, handled, generation = args.generation, planned, due] {
                StepClock* owner = nullptr;
                {
                    std::lock_guard lock(shared->mutex);
                    if (shared->generation == generation && !shared->destroyed)
                        owner = shared->owner;
                }
                if (owner)
                    owner->fire(planned, due);
                {
                    std::lock_guard lock(shared->mutex);
                    *handled = true;
                }
                shared->changed.notify_all();
            });
            {
                std::unique_lock lock(shared->mutex);
                shared->changed.wait(lock, [&] { return *handled || stale(); });
                if (stale())
                    return;
            }
            const auto handlerEnd = Clock::now();
            const std::int32_t ms = interval->load(std::memory_order_relaxed);
            auto next = planned + std::chrono::milliseconds(ms > 0 ? ms : 0);
            // A handler that ran past the next tick's own time moves the grid (no catch-up).
            if (next < handlerEnd + kMinimumWait)
                next = handlerEnd + kMinimumWait;
            // Handled `lead` ahead of its time, but never sooner than the rest after the last one.
            due = std::max(next - args.lead, handlerEnd + kMinimumWait);
            {
                std::unique_lock lock(shared->mutex);
                if (shared->changed.wait_until(lock, due, stale))
                    return;
            }
            planned = next;
        }
    });
}

void StepClock::fire(Clock::time_point planned, Clock::time_point due) {
    tickTime_ = planned;
    ++tickCount_;
    worstTickDelay_ = std::max(worstTickDelay_, Clock::now() - due);
    if (!onTick)
        return;
    try {
        onTick(*this);
    } catch (const std::exception& e) {
        if (onError)
            onError(e.what());
        else
            std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
        if (onError)
            onError("Unknown error in a clock tick");
        else
            std::fprintf(stderr, "Unknown error in a clock tick\n");
    }
}

} // namespace tamboro
