#pragma once
// Removes the render's temporary output file when the process is interrupted (SIGINT, SIGTERM,
// SIGHUP), then dies of the same signal so that the caller sees the interruption.
#include <string>

void installInterruptCleanup();
void removeOnInterrupt(const std::string& path);
void keepOnInterrupt();
