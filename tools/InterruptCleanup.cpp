#include "InterruptCleanup.h"

#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

// Written only outside the handler, while `armed` is clear; the handler only reads.
char pendingPath[PATH_MAX + 1];
volatile std::sig_atomic_t armed = 0;

constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};

void onInterrupt(int signalNumber)
{
    if (armed)
        unlink(pendingPath);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

} // namespace

void installInterruptCleanup()
{
    struct sigaction action{};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : kInterruptions)
        sigaction(signalNumber, &action, nullptr);
}

void removeOnInterrupt(const std::string& path)
{
    armed = 0;
    if (path.size() > PATH_MAX)
        return;
    std::memcpy(pendingPath, path.c_str(), path.size() + 1);
    armed = 1;
}

void keepOnInterrupt()
{
    armed = 0;
}

InterruptsDeferred::InterruptsDeferred()
{
    sigset_t blocked;
    sigemptyset(&blocked);
    for (int signalNumber : kInterruptions)
        sigaddset(&blocked, signalNumber);
    sigprocmask(SIG_BLOCK, &blocked, &previous_);
}

InterruptsDeferred::~InterruptsDeferred()
{
    sigprocmask(SIG_SETMASK, &previous_, nullptr);
}
