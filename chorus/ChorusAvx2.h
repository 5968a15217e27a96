#pragma once
#include "ChorusChunk.h"

// The AVX2 forms of the sweep and the delay line passes: four frames at a time, computing exactly
// what the SSE2 forms compute (the same IEEE operations in the same order, no fused multiply-add).
// Callable only where UsingAvx2Kernels().

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define CHORUS_AVX2 1
#else
#define CHORUS_AVX2 0
#endif

#if CHORUS_AVX2
// On every declaration: in C++ a declaration without it would name another version of the function.
#define AVX2_KERNEL __attribute__((target("avx2")))

// n frames of one sweep, and of two sweeps interleaved (CFixedSweep or CDelayDepthSweep).
template <class Sweep>
AVX2_KERNEL void SweepChunkAvx2(Sweep& sweep, double* delay, int n);
template <class SweepA, class SweepB>
AVX2_KERNEL void SweepChunksAvx2(SweepA& a, double* delayA, SweepB& b, double* delayB, int n);

struct CLinePass;
// A stereo pair's block: both sweeps and both delay line passes, chunk by chunk (with fixed gains).
template <bool Accumulate, class SweepA, class SweepB>
AVX2_KERNEL void RunPairAvx2(SweepA& sweepA, CLinePass& passA, SweepB& sweepB, CLinePass& passB, int frames);

// RunDelayLine() with fixed gains; `steady` where the delays move slowly (SteadySweep()).
template <bool Accumulate>
AVX2_KERNEL uint32_t RunDelayLineAvx2(float* line, uint32_t mask, uint32_t w, const float*& x, int inStride, float*& y,
                                      int outStride, const double* delay, const CFixedGains& gains, int n, bool pairs,
                                      bool steady);
#endif
