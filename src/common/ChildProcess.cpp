#include "common/ChildProcess.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tamboro {

ChildProcess::~ChildProcess() = default;

bool ChildProcess::start(const std::vector<std::string>& argv) {
    pid_ = -1;
    exitCode_.reset();
    startError_.clear();
    if (argv.empty()) {
        startError_ = "No program given";
        return false;
    }
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    // The child gets /dev/null for its standard handles, so it can neither block on input nor
    // write into the program's console.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        startError_ = std::string("Cannot start \"") + argv[0] + "\": " + std::strerror(rc);
        return false;
    }
    pid_ = pid;
    return true;
}

void ChildProcess::record(int status) {
    if (WIFEXITED(status))
        exitCode_ = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        exitCode_ = 128 + WTERMSIG(status);
    pid_ = -1;
}

bool ChildProcess::running() {
    if (pid_ <= 0)
        return false;
    int status = 0;
    const pid_t r = ::waitpid(static_cast<pid_t>(pid_), &status, WNOHANG);
    if (r == 0)
        return true;
    if (r == static_cast<pid_t>(pid_))
        record(status);
    else
        pid_ = -1;
    return false;
}

std::optional<int> ChildProcess::wait() {
    if (pid_ > 0) {
        int status = 0;
        pid_t r;
        do {
            r = ::waitpid(static_cast<pid_t>(pid_), &status, 0);
        } while (r < 0 && errno == EINTR);
        if (r == static_cast<pid_t>(pid_))
            record(status);
        else
            pid_ = -1;
    }
    return exitCode_;
}

} // namespace tamboro
