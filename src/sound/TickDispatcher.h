#pragma once
// How a clock worker reaches the window thread: post a callable to run there. The thread timer
// waits for the callable itself (and can stop waiting when it is disabled or destroyed), so an
// implementation only queues: the engine's EventLoop for the CLI and tests, a queued call into
// the Qt event loop for the GUI.

#include <functional>

namespace tamboro {

class TickDispatcher {
public:
    virtual ~TickDispatcher() = default;
    // Thread-safe. Runs `task` on the window thread later; tasks run in the order posted. A task
    // that never runs (the loop ended first) is destroyed without being called.
    virtual void post(std::function<void()> task) = 0;
};

} // namespace tamboro
