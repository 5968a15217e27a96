#pragma once
// Counters the Linux interposers and the system-call trap fill while the audio thread is inside
// the plug-in. Everything here is safe to touch from a signal handler and from inside malloc.
#include <atomic>

enum EWatchedCall
{
    kMalloc,
    kCalloc,
    kRealloc,
    kFree,
    kAlignedAlloc,
    kPosixMemalign,
    kMemalign,
    kValloc,
    kMutexLock,
    kMutexTrylock,
    kRwlockRead,
    kRwlockWrite,
    kWatchedCallCount
};

constexpr int kSyscallSlots = 512;

struct SProbeCounters
{
    std::atomic<long> calls[kWatchedCallCount];
    std::atomic<long> syscalls[kSyscallSlots];
};

SProbeCounters& ProbeCounters();
const char* WatchedCallName(int call);
// True on a thread that is inside a CProbedCall scope.
bool InsideProbedCall();
// Counts `call` when the calling thread is inside the plug-in.
inline void CountWatchedCall(EWatchedCall call)
{
    if (InsideProbedCall())
        ProbeCounters().calls[call].fetch_add(1, std::memory_order_relaxed);
}
