#include "windows/main/ShutdownSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tamboro {

namespace {

// The signal handler may only do async-signal-safe things: it writes one byte to a socket that
// the event loop watches.
int g_wakeFds[2] = {-1, -1};

extern "C" void onShutdownSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_wakeFds[0], &byte, 1);
}

} // namespace

ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_wakeFds) != 0)
        return;
    notifier_ = new QSocketNotifier(g_wakeFds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(g_wakeFds[1], &byte, 1);
        emit shutdownRequested();
    });
    struct sigaction action {};
    action.sa_handler = onShutdownSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

ShutdownSignals::~ShutdownSignals() {
    if (!notifier_)
        return;
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    ::close(g_wakeFds[0]);
    ::close(g_wakeFds[1]);
    g_wakeFds[0] = g_wakeFds[1] = -1;
}

} // namespace tamboro
