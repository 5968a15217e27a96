#pragma once
#include "ChorusFrame.h"
#include <cstdint>

// The passes the frame loop makes over a chunk of frames: the oscillator fills the chunk's delays
// (while a ramp runs, with gains computed alongside), then the delay line works through them.
// Each frame computes exactly what the single-frame forms of ChorusFrame.h compute; with SSE2,
// two frames at a time.

// Frames per chunk: enough to amortise the passes, few enough to keep their arrays in L1. Where
// only the delays pass from the oscillator to the delay line, the AVX2 passes take a whole usual
// block at once (measured: 15 % faster than 64 frames; the SSE2 ones measured slower so).
constexpr int kChunkFrames = 64;
constexpr int kSweepChunkFrames = 512;

// Whether the samples frames of p (stride pStride) and q (stride qStride) touch lie in
// separate address ranges.
[[gnu::always_inline]] inline bool Disjoint(const float* p, int pStride, const float* q, int qStride, int frames)
{
    if (frames <= 0)
        return true;
    if (pStride == 1 && qStride == 1) { // the usual channel buffers: [p, p + frames) and [q, q + frames)
        const uintptr_t pLo = reinterpret_cast<uintptr_t>(p), qLo = reinterpret_cast<uintptr_t>(q);
        const uintptr_t span = static_cast<uintptr_t>(frames) * sizeof(float);
        return pLo + span <= qLo || qLo + span <= pLo;
    }
    auto range = [frames](const float* start, int stride, uintptr_t& lo, uintptr_t& hi) {
        const intptr_t span = static_cast<intptr_t>(frames - 1) * stride * static_cast<intptr_t>(sizeof(float));
        const uintptr_t first = reinterpret_cast<uintptr_t>(start);
        lo = span < 0 ? first - static_cast<uintptr_t>(-span) : first;
        hi = (span < 0 ? first : first + static_cast<uintptr_t>(span)) + sizeof(float);
    };
    uintptr_t pLo, pHi, qLo, qHi;
    range(p, pStride, pLo, pHi);
    range(q, qStride, qLo, qHi);
    return pHi <= qLo || qHi <= pLo;
}

// Whether the delay line may take two frames at a time, reading both input samples before it
// writes the first output sample: true unless some output sample of the block is also an input
// sample (in-place processing, same pointer and stride, is safe: each frame reads its own
// sample before writing it).
[[gnu::always_inline]] inline bool MayPairFrames(const float* x, int inStride, const float* y, int outStride, int frames)
{
    if (frames < 2 || (x == y && inStride == outStride && inStride != 0))
        return true;
    return Disjoint(x, inStride, y, outStride, frames);
}

// Gains that hold for the whole block.
struct CFixedGains
{
    double dry, wet;
    double Dry(int) const { return dry; }
    double Wet(int) const { return wet; }
    __m128d DryPair(int) const { return _mm_set1_pd(dry); }
    __m128d WetPair(int) const { return _mm_set1_pd(wet); }
};

// Gains that a ramp moves on every frame.
struct CRampGains
{
    const float* dry;
    const float* wet;
    double Dry(int f) const { return dry[f]; }
    double Wet(int f) const { return wet[f]; }
    __m128d DryPair(int f) const { return _mm_cvtps_pd(LoadFloatPair(dry + f)); }
    __m128d WetPair(int f) const { return _mm_cvtps_pd(LoadFloatPair(wet + f)); }
};

template <bool Accumulate>
inline void Emit(float* y, float result)
{
    if (Accumulate)
        *y += result;
    else
        *y = result;
}

// n frames through the delay line from position w, with the delays the oscillator computed;
// x and y advance past them. Returns the position after them. With unit strides (the usual
// separate channel buffers) two samples move in one load or store.
template <bool Accumulate, bool UnitStrides, class Gains>
uint32_t RunDelayLine(float* line, uint32_t mask, uint32_t w, const float*& x, int inStride, float*& y,
                      int outStride, const double* delay, const Gains& gains, int n, bool pairs)
{
    if (UnitStrides)
        inStride = outStride = 1;
    int f = 0;
    if (pairs)
        for (; f + 2 <= n; f += 2) {
            const __m128 input = UnitStrides ? LoadFloatPair(x) : LoadFloatPair(x, x + inStride);
            const __m128 result =
                DelayLinePair(line, mask, w, input, _mm_load_pd(delay + f), gains.DryPair(f), gains.WetPair(f));
            if (UnitStrides) {
                StoreFloatPair(y, Accumulate ? _mm_add_ps(LoadFloatPair(y), result) : result);
            } else {
                Emit<Accumulate>(y, _mm_cvtss_f32(result));
                Emit<Accumulate>(y + outStride, _mm_cvtss_f32(_mm_shuffle_ps(result, result, 1)));
            }
            w += 2;
            x += 2 * inStride;
            y += 2 * outStride;
        }
    for (; f < n; ++f) {
        Emit<Accumulate>(y, DelayLineFrame(line, mask, w, *x, delay[f], gains.Dry(f), gains.Wet(f)));
        ++w;
        x += inStride;
        y += outStride;
    }
    return w;
}

template <bool Accumulate, class Gains>
uint32_t RunDelayLine(float* line, uint32_t mask, uint32_t w, const float*& x, int inStride, float*& y,
                      int outStride, const double* delay, const Gains& gains, int n, bool pairs)
{
    if (inStride == 1 && outStride == 1)
        return RunDelayLine<Accumulate, true>(line, mask, w, x, 1, y, 1, delay, gains, n, pairs);
    return RunDelayLine<Accumulate, false>(line, mask, w, x, inStride, y, outStride, delay, gains, n, pairs);
}

// The oscillator for n frames whose phase offset, increment, depth and base delay a ramp moves:
// delay[f] at table position offset[f] + phase, the phase stepping by increment[f] after frame f.
// Returns the phase after them.
inline double SweepRamped(const float* table, int tableMask, const float* offset, double phase, const double* increment,
                          const float* depth, const float* baseDelay, double longest, double* delay, int n)
{
    int f = 0;
    for (; f + 2 <= n; f += 2) {
        const double p0 = phase;
        phase += increment[f];
        const double p1 = phase;
        phase += increment[f + 1];
        const __m128d g = _mm_add_pd(_mm_cvtps_pd(LoadFloatPair(offset + f)), _mm_set_pd(p1, p0));
        _mm_store_pd(delay + f, SweptDelayPair(table, tableMask, g, _mm_cvtps_pd(LoadFloatPair(depth + f)),
                                               _mm_cvtps_pd(LoadFloatPair(baseDelay + f)), longest));
    }
    for (; f < n; ++f) {
        const double g = offset[f] + phase;
        phase += increment[f];
        delay[f] = SweptDelay(table, tableMask, g, depth[f], baseDelay[f], longest);
    }
    return phase;
}
