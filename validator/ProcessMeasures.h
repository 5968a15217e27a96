#pragma once
// What the validator measures about its own process: heap in use (for leak counts) and the
// calling thread's CPU time (for slowdown comparisons within one run).
#include <cstdint>

// Bytes the process's heap allocator has handed out and not yet taken back; -1 when the
// platform gives no such count. Only differences between two readings mean anything.
int64_t HeapBytesInUse();

// CPU time the calling thread has used, in seconds. Coarse on Windows (a scheduler tick).
double ThreadCpuSeconds();
