#pragma once
// A program started as its own process from an argument vector (never through a shell), with no
// standard input, output or error, watched by polling its exit status.

#include <optional>
#include <string>
#include <vector>

namespace tamboro {

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess(); // leaves a still running child alone; it is reaped by the system
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] with the arguments argv[1..]. Returns false when it could not be started
    // (for example a missing program); `startError()` then says why.
    bool start(const std::vector<std::string>& argv);

    // True while the last started process runs. False when none was started or it has ended.
    bool running();
    // The exit status of the ended process (128 + signal number when killed by a signal).
    std::optional<int> exitCode() const { return exitCode_; }
    // Blocks until the process ends; returns its exit status, or nullopt when none was started.
    std::optional<int> wait();
    const std::string& startError() const { return startError_; }

private:
    void record(int status);
    long pid_ = -1;
    std::optional<int> exitCode_;
    std::string startError_;
};

} // namespace tamboro
