#pragma once

// Which build of the frame loop's inner kernels runs: the SSE2 one, or, where the CPU has AVX2,
// one that takes four frames at a time. Both compute the same bits; the choice is made once, from
// the CPU, unless a test forces one.
enum class EChorusKernels { kAuto, kSse2, kAvx2 };

bool CpuHasAvx2();
// Returns false, changing nothing, when kAvx2 is asked of a CPU (or build) without it.
bool SelectChorusKernels(EChorusKernels kernels);
bool UsingAvx2Kernels();
// "SSE2" or "AVX2": the kernels running now.
const char* ChorusKernelsName();
