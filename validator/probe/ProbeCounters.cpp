#include "ProbeCounters.h"
#include "AudioThreadProbe.h"

namespace {
SProbeCounters g_counters; // zero before any constructor runs: the allocator hooks may count early
thread_local bool t_insideProbedCall = false;
} // namespace

SProbeCounters& ProbeCounters() { return g_counters; }
bool InsideProbedCall() { return t_insideProbedCall; }

const char* WatchedCallName(int call)
{
    static const char* const names[kWatchedCallCount] = {
        "malloc", "calloc", "realloc", "free", "aligned_alloc", "posix_memalign", "memalign", "valloc",
        "pthread_mutex_lock", "pthread_mutex_trylock", "pthread_rwlock_rdlock", "pthread_rwlock_wrlock"};
    return call >= 0 && call < kWatchedCallCount ? names[call] : "?";
}

CProbedCall::CProbedCall() { t_insideProbedCall = true; }
CProbedCall::~CProbedCall() { t_insideProbedCall = false; }
