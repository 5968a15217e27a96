#pragma once
// Removes the render's temporary output file when the process is interrupted (SIGINT, SIGTERM,
// SIGHUP), then dies of the same signal so that the caller sees the interruption.
#include <string>

#include <csignal>

void installInterruptCleanup();
void removeOnInterrupt(const std::string& path);
void keepOnInterrupt();

// Holds the interruption signals back for its lifetime, so that creating a file and registering
// it for removal happen as one step; a signal arriving meanwhile is handled on release.
class InterruptsDeferred
{
public:
    InterruptsDeferred();
    ~InterruptsDeferred();
    InterruptsDeferred(const InterruptsDeferred&) = delete;
    InterruptsDeferred& operator=(const InterruptsDeferred&) = delete;

private:
    sigset_t previous_;
};
