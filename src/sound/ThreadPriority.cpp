#include "sound/ThreadPriority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tamboro {

namespace {

bool setNice(int nice) {
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    return setpriority(PRIO_PROCESS, tid, nice) == 0;
}

bool setRealTime(int level) {
    sched_param param{};
    param.sched_priority = level;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

} // namespace

bool applyThreadPriority(ThreadPriority priority) {
    switch (priority) {
    case ThreadPriority::timeCritical:
        return setRealTime(60) || setNice(-20);
    case ThreadPriority::highest:
        return setRealTime(40) || setNice(-10);
    case ThreadPriority::higher:
        return setNice(-5);
    case ThreadPriority::normal:
        return true;
    case ThreadPriority::lower:
        return setNice(5);
    case ThreadPriority::lowest:
        return setNice(10);
    case ThreadPriority::idle:
        return setNice(19);
    }
    return false;
}

} // namespace tamboro
